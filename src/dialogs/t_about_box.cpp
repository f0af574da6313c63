#include "dialogs/t_about_box.h"

#include <QIcon>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/sleevix.svg")).pixmap(Image1->size()));

    QFont title;
    // The families after the first stand in where that font is missing.
    title.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                       QStringLiteral("DejaVu Sans")});
    title.setPixelSize(20);
    title.setBold(true);
    Label1->setFont(title);

    QTextOption centred = Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    Memo1->document()->setDefaultTextOption(centred);
    Memo1->setPlainText(Memo1->toPlainText());  // laid out anew with the alignment
    QPalette menuColoured = Memo1->palette();
    menuColoured.setColor(QPalette::Base, palette().color(QPalette::Window));
    Memo1->setPalette(menuColoured);

    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
}
