#include "dialogs/t_about_box.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace {

constexpr int kClientWidth = 237;
constexpr int kClientHeight = 267;
constexpr int kIconSize = 33;

const char kDescription[] =
    "Druckt Einleger für CD-, DVD- und VHS-Hüllen aus Ihren Bildern";

const char kNote[] =
    "Sleevix ist entstanden, weil meine Sammlung selbst gebrannter Scheiben "
    "endlich ordentliche Hüllen bekommen sollte.\n\n"
    "Viel Freude beim Gestalten!\n\n"
    "Tarnholm\n\n"
    "Anregungen, Lob und Fehlerberichte sind jederzeit willkommen – "
    "am besten über die Projektseite, auf der Sie Sleevix gefunden haben.";

QFrame* bevel(QWidget* parent, const char* name, QFrame::Shadow shadow, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(shadow);
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Information"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    buildFrames();
    buildTexts();

    bOk = new QPushButton(QStringLiteral("&Ok"), this);
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setGeometry(81, 224, 75, 25);
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::buildFrames()
{
    Bevel1 = bevel(this, "Bevel1", QFrame::Raised, rect());
    const int iconLeft = (kClientWidth - kIconSize) / 2;
    Bevel2 = bevel(this, "Bevel2", QFrame::Sunken, {iconLeft - 2, 78, kIconSize + 4, kIconSize + 4});
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(iconLeft, 80, kIconSize, kIconSize);
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/sleevix.svg")).pixmap(kIconSize, kIconSize));
}

void TAboutBox::buildTexts()
{
    Label1 = new QLabel(QStringLiteral("Sleevix Ver. 2.6"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title;
    // The families after the first stand in where that font is missing.
    title.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                       QStringLiteral("DejaVu Sans")});
    title.setPixelSize(20);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setStyleSheet(QStringLiteral("color: black"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(8, 4, kClientWidth - 16, 26);

    StaticText1 = new QLabel(QString::fromUtf8(kDescription), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setAlignment(Qt::AlignCenter);
    StaticText1->setWordWrap(true);
    StaticText1->setGeometry(32, 30, 177, 40);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QTextOption centred = Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    Memo1->document()->setDefaultTextOption(centred);
    Memo1->setPlainText(QString::fromUtf8(kNote));
    QPalette menuColoured = Memo1->palette();
    menuColoured.setColor(QPalette::Base, palette().color(QPalette::Window));
    Memo1->setPalette(menuColoured);
    Memo1->setGeometry((kClientWidth - 185) / 2, 130, 185, 73);
}
