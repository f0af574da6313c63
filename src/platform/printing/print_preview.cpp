#include "platform/printing/print_preview.h"

#include "platform/user_error.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace {

constexpr qreal kZoomStep = 1.25;

// A zoom command of the button row: its button, what it does and, for the
// steps, the usual keyboard shortcut as well.
struct ZoomCommand {
    const char* name;
    const char* caption;
    void (*apply)(QPrintPreviewWidget*);
    QKeySequence::StandardKey key;
};

const ZoomCommand kZoomCommands[] = {
    {"ZoomInButton", "&Vergrößern", [](QPrintPreviewWidget* v) { v->zoomIn(kZoomStep); },
     QKeySequence::ZoomIn},
    {"ZoomOutButton", "Ver&kleinern", [](QPrintPreviewWidget* v) { v->zoomOut(kZoomStep); },
     QKeySequence::ZoomOut},
    {"FitPageButton", "&Ganze Seite", [](QPrintPreviewWidget* v) { v->fitInView(); },
     QKeySequence::UnknownKey},
    {"FitWidthButton", "Seiten&breite", [](QPrintPreviewWidget* v) { v->fitToWidth(); },
     QKeySequence::UnknownKey},
};

const QString kNoPrinter = QStringLiteral("Kein Drucker eingerichtet (PDF-Datei)");

}  // namespace

PrintPreview::PrintPreview(SheetJob sheet, QWidget* parent)
    : QDialog(parent), m_sheet(std::move(sheet)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_printerName = PrintRunner::setUpCurrentPrinter(*m_printer);
    // The PDF file that stands in for a missing printer needs a name before
    // anything is drawn; the preview itself never writes it.
    if (m_printerName.isEmpty())
        m_printer->setOutputFileName(m_scratch.filePath(QStringLiteral("vorschau.pdf")));

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("PreviewView"));
    m_view->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &PrintPreview::paintSheet);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PrintPreview::showState);

    auto* layout = new QVBoxLayout(this);
    m_paper = new QLabel(this);
    m_paper->setObjectName(QStringLiteral("PaperInfo"));
    layout->addWidget(m_paper);
    layout->addWidget(m_view, 1);
    buildButtons(layout);
    resize(620, 760);
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::buildButtons(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    auto addButton = [this, row](const char* name, const char* caption) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        row->addWidget(button);
        return button;
    };
    m_print = addButton("PrintButton", "&Drucken");
    m_print->setDefault(true);
    connect(m_print, &QPushButton::clicked, this, &QDialog::accept);

    for (const ZoomCommand& zoom : kZoomCommands) {
        QPushButton* button = addButton(zoom.name, zoom.caption);
        const auto apply = zoom.apply;
        connect(button, &QPushButton::clicked, m_view, [this, apply] { apply(m_view); });
        if (zoom.key != QKeySequence::UnknownKey)
            connect(new QShortcut(zoom.key, this), &QShortcut::activated, button,
                    &QPushButton::click);
    }
    m_zoom = new QLabel(this);
    m_zoom->setObjectName(QStringLiteral("ZoomInfo"));
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(QStringLiteral("0000 %")));
    m_zoom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(m_zoom);
    row->addStretch(1);
    connect(addButton("CloseButton", "&Schließen"), &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(row);
}

void PrintPreview::paintSheet(QPrinter* printer)
{
    m_problem.clear();
    try {
        PrintRunner::instance().draw(*printer, m_printerName, m_sheet);
    } catch (const UserError& error) {
        m_problem = error.message();
    } catch (const std::exception&) {
        m_problem = QStringLiteral("Die Seite konnte nicht gezeichnet werden.");
    }
}

void PrintPreview::showState()
{
    const QSizeF paper = m_printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
    QString text = QStringLiteral("%1 – Papier %2, %3 × %4 mm")
                       .arg(m_printerName.isEmpty() ? kNoPrinter
                                                    : QStringLiteral("Drucker: ") + m_printerName,
                            m_printer->pageLayout().pageSize().name())
                       .arg(std::lround(paper.width()))
                       .arg(std::lround(paper.height()));
    if (!m_problem.isEmpty())
        text += QStringLiteral("\n") + m_problem;
    m_paper->setText(text);
    m_zoom->setText(QStringLiteral("%1 %").arg(std::lround(m_view->zoomFactor() * 100)));
}
