#include "workspace/t_sleevix.h"

#include "model/program_values.h"
#include "platform/desktop/clipboard_owner.h"
#include "platform/desktop/program_icons.h"
#include "platform/pictures/picture_formats.h"
#include "platform/store/settings_store.h"
#include "platform/store/settings_type_error.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/image_view.h"
#include "settings/t_cd_setup.h"
#include "workspace/help_document.h"
#include "workspace/slot_panel.h"
#include "workspace/status_bar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <optional>

static void initResources()
{
    Q_INIT_RESOURCE(sleevix);
}

namespace {

// The six layout ticks saved at exit and restored at the first activation,
// in the order of restoring.
struct LayoutValue {
    const char* valueName;
    QCheckBox* TSleevix::*box;
};

const LayoutValue kRestoreOrder[] = {
    {"2 Picture", &TSleevix::cbSecIMG}, {"2 Front", &TSleevix::cbSecFront},
    {"Double", &TSleevix::cbDouble},    {"CD", &TSleevix::cbCD},
    {"DVD", &TSleevix::cbDVD},          {"VHS", &TSleevix::cbVHS},
};

const LayoutValue kSaveOrder[] = {
    {"2 Front", &TSleevix::cbSecFront}, {"2 Picture", &TSleevix::cbSecIMG},
    {"Double", &TSleevix::cbDouble},    {"CD", &TSleevix::cbCD},
    {"DVD", &TSleevix::cbDVD},          {"VHS", &TSleevix::cbVHS},
};

// The buttons' icons, rendered into the program at build time.
const std::pair<QToolButton * Ui::TSleevix::*, const char*> kButtonIcons[] = {
    {&TSleevix::sbClose, "close"},     {&TSleevix::sbKonfig, "settings"},
    {&TSleevix::sbPrint, "print"},     {&TSleevix::sbFront, "front"},
    {&TSleevix::sbBack, "back"},       {&TSleevix::sbDouble, "double"},
    {&TSleevix::sbCD, "cd"},           {&TSleevix::spDVD, "dvd"},
    {&TSleevix::spVHS, "vhs"},         {&TSleevix::sbClipbrd1, "paste1"},
    {&TSleevix::sbClipbrd2, "paste2"}, {&TSleevix::sbChange, "swap"},
    {&TSleevix::sbClear, "clear"},     {&TSleevix::sbTrash1, "trash"},
    {&TSleevix::sbTrash2, "trash"},
};

}  // namespace

TSleevix::TSleevix(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), m_commandLine(arguments)
{
    initResources();
    setObjectName(QStringLiteral("Sleevix"));
    setWindowIcon(programIcon("sleevix"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setUpControls();
    buildPopupMenus();
    connectLayoutHandlers();
    connectPictureHandlers();
    connectPrintCommands();
    connectPictureCommands();
    connectHelpCommands();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    runSettingsDialog = [this] { m_runLongSettings->execDialog(this); };
    runOpenDialog = [this] { return execPictureDialog(); };
    FormCreate();
}

TSleevix::~TSleevix() = default;

void TSleevix::setUpControls()
{
    setupUi(this);
    for (const auto& [button, icon] : kButtonIcons)
        (this->*button)->setIcon(programIcon(icon));
    cbSecIMG->hide();
    // The CD outlines show in the CD layout only.
    Image3->hide();
    Image4->hide();
}

void TSleevix::attachSettings(TCDSetup& runLongSettings)
{
    m_runLongSettings = &runLongSettings;
}

void TSleevix::FormCreate()
{
    sbTrash1->setEnabled(false);
    sbTrash2->setEnabled(false);
    // As the first paint would set them with both slots empty; set there,
    // they would paint a second time at once.
    sbChange->setEnabled(false);
    sbPrint->setEnabled(false);
    mPrint->setEnabled(false);
    mPreview->setEnabled(false);
    mPdfExport->setEnabled(false);
    sbClipbrd1->setEnabled(clipboardHasPicture());
    sbClipbrd2->setEnabled(sbClipbrd1->isEnabled());
    m_backPanelHeight = Panel2->height();
    m_backPanelWidth = Panel2->width();
    connect(mBeenden, &QAction::triggered, this, &QWidget::close);
    connect(sbClose, &QToolButton::clicked, this, &QWidget::close);
}

bool TSleevix::clipboardHasPicture() const
{
    if (clipboardIsUnowned())
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    const QStringList types = pictureMimeTypes();
    return data->hasImage() || std::any_of(types.begin(), types.end(), [data](const QString& type) {
               return data->hasFormat(type);
           });
}

bool TSleevix::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        runFirstActivation();
    // A desktop without a window manager never activates the window; the
    // first activation's work must not depend on that.
    if (event->type() == QEvent::Show)
        QTimer::singleShot(0, this, &TSleevix::runFirstActivation);
    return handled;
}

void TSleevix::runFirstActivation()
{
    if (m_activated)
        return;
    m_activated = true;
    runGuarded(this, [this] { FormActivate(); });
    runGuarded(this, [this] { openFiles(m_commandLine.pictureFiles()); });
}

void TSleevix::FormActivate()
{
    m_activated = true;
    Hilfe1->setVisible(QFileInfo::exists(helpDocumentPath()));
    sbClear->setEnabled(false);
    const CoverSettings& settings = m_runLongSettings->settings();
    const QString pictureFolder = settings.folder(Folder::eDaten);
    if (QFileInfo(pictureFolder).isDir())
        m_openDialogFolder = pictureFolder;
    if (m_commandLine.opensPictureFolder())
        QDesktopServices::openUrl(QUrl::fromLocalFile(pictureFolder));
    if (clipboardHasPicture()) {
        sbClipbrd1->setEnabled(true);
        sbClear->setEnabled(true);
    } else {
        sbClipbrd1->setEnabled(false);
    }
    cbSecIMG->setChecked(settings.ticked(Check::cbSecImg));
    sbClipbrd2->setEnabled(sbClipbrd1->isEnabled());

    const SettingsStore& store = SettingsStore::user();
    QStringList wrongTypes;
    for (const LayoutValue& value : kRestoreOrder) {
        const QString name = QLatin1String(value.valueName);
        // A value of the wrong type costs only itself: its box keeps its state.
        std::optional<bool> ticked;
        try {
            if (store.exists(name))
                ticked = store.readBool(name);
        } catch (const SettingsTypeError& error) {
            wrongTypes << error.message();
        }
        if (ticked)
            (this->*value.box)->setChecked(*ticked);
    }
    setRecognitionChecked(settings.ticked(Check::cbAutoFormat));
    recognitionItemRule({cbCD, cbDouble, cbSecFront, cbDVD, cbVHS});
    if (!wrongTypes.isEmpty())
        showErrorBox(this, wrongTypes.join(u'\n'));
}

void TSleevix::saveLayoutTicks()
{
    if (!program().AutoSave)
        return;
    SettingsStore& store = SettingsStore::user();
    SettingsStore::Transaction transaction(store);
    for (const LayoutValue& value : kSaveOrder)
        store.writeBool(QLatin1String(value.valueName), (this->*value.box)->isChecked());
    transaction.commit();
}

void TSleevix::closeEvent(QCloseEvent* event)
{
    runGuarded(this, [this] { saveLayoutTicks(); });
    event->accept();
}

void TSleevix::setRecognitionChecked(bool checked)
{
    popupItem(1, kRecognitionItem)->setChecked(checked);
    popupItem(2, kRecognitionItem)->setChecked(checked);
}

bool TSleevix::recognitionChecked() const
{
    return popupItem(1, kRecognitionItem)->isChecked();
}

QCheckBox* TSleevix::layoutBox(LayoutBox box) const
{
    switch (box) {
    case LayoutBox::LayoutDouble: return cbDouble;
    case LayoutBox::LayoutCd: return cbCD;
    case LayoutBox::LayoutDvd: return cbDVD;
    case LayoutBox::LayoutVhs: return cbVHS;
    case LayoutBox::SecondFront: return cbSecFront;
    case LayoutBox::SecondPicture: return cbSecIMG;
    }
    Q_UNREACHABLE();
}

void TSleevix::setLayoutTicked(LayoutBox box, bool ticked)
{
    layoutBox(box)->setChecked(ticked);
}

bool TSleevix::layoutTicked(LayoutBox box) const
{
    return layoutBox(box)->isChecked();
}

ImageView* TSleevix::slotView(int slot) const
{
    return slot == 1 ? Image1 : Image2;
}

Picture TSleevix::slotPicture(int slot) const
{
    return slotView(slot)->picture();
}

QString TSleevix::statusText(int slot) const
{
    return statusBarPanels->panelText(slot);
}

void TSleevix::setStatusText(int slot, const QString& text)
{
    statusBarPanels->setPanelText(slot, text);
}
