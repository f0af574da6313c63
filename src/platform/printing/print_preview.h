#pragma once

#include "platform/printing/print_runner.h"

#include <QDialog>
#include <QTemporaryDir>

#include <memory>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QVBoxLayout;

// The print preview: one sheet drawn as the print command would print it on
// the current printer, on that printer's paper, with zoom. "Drucken" closes
// the preview with Accepted; the caller then runs the print command.
class PrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreview(SheetJob sheet, QWidget* parent = nullptr);
    ~PrintPreview() override;

    QPrintPreviewWidget* view() const { return m_view; }
    QPushButton* printButton() const { return m_print; }
    // The printer whose paper and margins the preview shows.
    const QPrinter& printer() const { return *m_printer; }
    // Why the sheet could not be drawn, empty when it was.
    QString problem() const { return m_problem; }

private:
    void paintSheet(QPrinter* printer);
    void buildButtons(QVBoxLayout* layout);
    void showState();

    SheetJob m_sheet;
    QString m_printerName;
    QString m_problem;
    QTemporaryDir m_scratch;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QPushButton* m_print = nullptr;
    QLabel* m_paper = nullptr;
    QLabel* m_zoom = nullptr;
};
