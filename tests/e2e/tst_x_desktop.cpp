// The program on a real X display (the Xvfb of tests/e2e/e2e-services, xcb
// platform): a picture that another program offers on the clipboard, a
// second start of the real binary on the same and on another display, and
// screenshots of the main window and of every settings page for a reviewer,
// in build/e2e-screens.
#include "dialogs/t_about_box.h"
#include "dialogs/t_form2.h"
#include "dialogs/t_form3.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "platform/widgets/tabbed_pages.h"
#include "print/calibration_dialog.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/picture_open_dialog.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>

namespace {

const QStringList kTools = {"xdotool", "xclip", "xwininfo", "import", "Xvfb"};

QString run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// The visible top-level windows of a process with this exact title, on the
// display of `environment`.
QStringList windowsOf(qint64 pid, const QString& title,
                      const QProcessEnvironment& environment
                      = QProcessEnvironment::systemEnvironment())
{
    const QString found = run("xdotool",
                              {"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                               "--name", "^" + QRegularExpression::escape(title) + "$"},
                              environment);
    return found.isEmpty() ? QStringList() : found.split('\n');
}

QString waitForWindow(qint64 pid, const QString& title,
                      const QProcessEnvironment& environment
                      = QProcessEnvironment::systemEnvironment())
{
    for (int tries = 0; tries < 200; ++tries) {
        const QStringList windows = windowsOf(pid, title, environment);
        if (!windows.isEmpty())
            return windows.first();
        QTest::qWait(100);
    }
    return {};
}

// The ids of the screen's top-level windows, the one on top first.
QStringList stackingOrder()
{
    static const QRegularExpression child(QStringLiteral("^\\s+(0x[0-9a-f]+) "),
                                          QRegularExpression::MultilineOption);
    QStringList ids;
    auto matches = child.globalMatch(run("xwininfo", {"-root", "-children"}));
    while (matches.hasNext())
        ids << QString::number(matches.next().captured(1).toULongLong(nullptr, 16));
    return ids;
}

// Which of `windows` is highest in the stacking order.
QString topmostOf(const QStringList& windows)
{
    for (const QString& id : stackingOrder()) {
        if (windows.contains(id))
            return id;
    }
    return {};
}

QString screenshotDir()
{
    const QString dir = QStringLiteral(SLEEVIX_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

QImage screenshot(const QString& name)
{
    QTest::qWait(300);  // let the windows finish painting
    const QString file = QDir(screenshotDir()).filePath(name + ".png");
    run("import", {"-window", "root", file});
    return QImage(file);
}

// A window as the user sees it, frame included, kept under `name`.
QImage windowShot(const QWidget& window, const QString& name)
{
    const QImage screen = screenshot(name);
    const QRect frame = window.frameGeometry();
    const qreal ratio = window.devicePixelRatioF();
    const QImage shown = screen.copy(QRect(frame.topLeft() * ratio, frame.size() * ratio));
    shown.save(QDir(screenshotDir()).filePath(name + ".png"));
    return shown;
}

QImage solidPicture(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A cover on a black background: a light title block in the middle.
QImage coverOnBlack()
{
    QImage image = solidPicture(400, 300, Qt::black);
    QPainter painter(&image);
    painter.fillRect(60, 100, 280, 100, QColor(240, 200, 40));
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 36, QFont::Bold));
    painter.drawText(QRect(60, 100, 280, 100), Qt::AlignCenter, QStringLiteral("COVER"));
    return image;
}

// The rows of the table of resulting layouts, by the boxes ticked on top
// of the front and back layout.
struct LayoutShot {
    const char* name;
    std::initializer_list<const char*> ticks;
};

const LayoutShot kLayoutShots[] = {
    {"front-back", {}},       {"second-front", {"cbSecFront"}},
    {"folded", {"cbDouble"}}, {"folded-two-pictures", {"cbDouble", "cbSecIMG"}},
    {"cd", {"cbCD"}},         {"dvd", {"cbDVD"}},
    {"vhs", {"cbVHS"}},
};

// A test picture: colour bands, so that a pasted copy can be recognised.
QImage bandedPicture()
{
    QImage image(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, (x / 40) * 50));
    }
    return image;
}

// Offers data on the clipboard as xclip does it for another program, for as
// long as it lives.
class ClipboardOffer {
public:
    ClipboardOffer(const QString& type, const QString& file)
    {
        m_xclip.start("xclip", {"-quiet", "-selection", "clipboard", "-t", type, "-i", file});
        m_xclip.waitForStarted();
    }
    ~ClipboardOffer()
    {
        m_xclip.kill();
        m_xclip.waitForFinished();
    }

private:
    QProcess m_xclip;
};

// Folders of its own for a run of the real program on the test display.
QProcessEnvironment freshEnvironment(const QTemporaryDir& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* sub : {"home", "config", "tmp", "runtime"})
        QDir().mkpath(folder.filePath(sub));
    QFile::setPermissions(folder.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert("HOME", folder.filePath("home"));
    environment.insert("XDG_CONFIG_HOME", folder.filePath("config"));
    environment.insert("TMPDIR", folder.filePath("tmp"));
    environment.insert("XDG_RUNTIME_DIR", folder.filePath("runtime"));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    return environment;
}

void typeInto(const QString& window, const QStringList& keys)
{
    run("xdotool", {"windowfocus", "--sync", window});
    run("xdotool", QStringList{"key", "--clearmodifiers"} + keys);
}

// Presses `keys` in `window` until a window titled `title` shows, closing
// whatever the keys opened in between: a busy program may take the keys
// before it has enabled the command they ask for (a command's state follows
// the window's next paint).
QString openWithKeys(qint64 pid, const QString& window, const QStringList& keys,
                     const QString& title)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        typeInto(window, keys);
        for (int waits = 0; waits < 50; ++waits) {
            const QStringList shown = windowsOf(pid, title);
            if (!shown.isEmpty())
                return shown.first();
            QTest::qWait(100);
        }
        typeInto(window, {"Escape"});
    }
    return {};
}

// Types a path into the name field of a file dialog and presses Return
// until the dialog is gone. When the name completer's list has come up in
// the meantime, a Return only closes that list, as it would for a user.
bool chooseInFileDialog(qint64 pid, const QString& dialog, const QString& title,
                        const QString& path)
{
    typeInto(dialog, {"ctrl+a"});
    run("xdotool", {"type", "--delay", "5", path});
    // A sanitizer build under load can take seconds to catch up with the
    // typing, which the dialog's completer follows folder by folder.
    for (int presses = 0; presses < 4; ++presses) {
        typeInto(dialog, {"Return"});
        for (int waits = 0; waits < 60; ++waits) {
            if (windowsOf(pid, title).isEmpty())
                return true;
            QTest::qWait(100);
        }
    }
    return false;
}

// An X display of a test's own, for as long as it lives.
class OwnDisplay {
public:
    OwnDisplay()
    {
        m_xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
        if (m_xvfb.waitForStarted() && m_xvfb.waitForReadyRead(10000))
            m_name = ":" + QString::fromLatin1(m_xvfb.readLine()).trimmed();
    }
    ~OwnDisplay()
    {
        m_xvfb.terminate();
        m_xvfb.waitForFinished();
    }
    const QString& name() const { return m_name; }

private:
    QProcess m_xvfb;
    QString m_name;
};

// The real program, started for a test and ended with it.
class RunningProgram : public QProcess {
public:
    explicit RunningProgram(const QProcessEnvironment& environment)
    {
        setProcessEnvironment(environment);
        start(SLEEVIX_BINARY);
    }
    ~RunningProgram() override
    {
        kill();
        waitForFinished();
    }
};

}  // namespace

class XDesktopTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase();

    void clipboardPictureEnablesPasteAndPastes();
    void secondStartBringsTheOpenSettingsDialogToTheFront();
    void quittingSavesTheLayoutAndFreesTheNextStart();
    void startsOnTwoDisplaysRunSideBySide();
    void pictureAndPrintPartsLoadWhenFirstNeeded();
    void mainWindowAndSettingsPagesOnScreen();
    void screensAtDoubleScale();
};

void XDesktopTest::initTestCase()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("no X display of tests/e2e/e2e-services (run through build.sh test as root)");
    for (const QString& tool : kTools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + " is not installed"));
    }
    QVERIFY(m_dir.isValid());
}

void XDesktopTest::clipboardPictureEnablesPasteAndPastes()
{
    testenv::App app;
    app.main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.main()));
    const QString text = m_dir.filePath("text.txt");
    const QString png = m_dir.filePath("picture.png");
    {
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("kein Bild");
    }
    QVERIFY(bandedPicture().save(png));

    {
        ClipboardOffer offer("UTF8_STRING", text);
        QTest::qWait(500);
        QVERIFY(!app.main().sbClipbrd1->isEnabled());
        QVERIFY(!app.main().sbClipbrd2->isEnabled());
    }
    ClipboardOffer offer("image/png", png);
    QTRY_VERIFY_WITH_TIMEOUT(app.main().sbClipbrd1->isEnabled(), 10000);
    QVERIFY(app.main().sbClipbrd2->isEnabled());

    QTest::mouseClick(app.main().sbClipbrd2, Qt::LeftButton);
    const QImage pasted = app.main().slotPicture(2).image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pasted, bandedPicture());
    QVERIFY(app.main().slotPicture(1).isEmpty());
    screenshot("main-window-pasted");
}

void XDesktopTest::secondStartBringsTheOpenSettingsDialogToTheFront()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* folder : {"home", "tmp", "runtime"})
        QVERIFY(QDir().mkpath(m_dir.filePath(folder)));
    QFile::setPermissions(m_dir.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert("HOME", m_dir.filePath("home"));
    environment.insert("TMPDIR", m_dir.filePath("tmp"));
    environment.insert("XDG_RUNTIME_DIR", m_dir.filePath("runtime"));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("XDG_CONFIG_HOME");

    RunningProgram first(environment);
    QVERIFY(first.waitForStarted());
    const qint64 pid = first.processId();
    const QString mainWindow = waitForWindow(pid, "Sleevix von Tarnholm");
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not show");

    run("xdotool", {"windowfocus", "--sync", mainWindow});
    run("xdotool", {"key", "--clearmodifiers", "alt+a", "s"});
    const QString dialog = waitForWindow(pid, "Einstellungen");
    QVERIFY2(!dialog.isEmpty(), "the settings dialog did not open");

    // Another program's window comes over both and takes the focus.
    QWidget other;
    other.setWindowTitle("Anderes Programm");
    other.setGeometry(0, 0, 900, 700);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    const QString otherWindow = QString::number(other.winId());
    run("xdotool", {"windowraise", otherWindow});
    run("xdotool", {"windowfocus", "--sync", otherWindow});
    const QStringList windows = {otherWindow, mainWindow, dialog};
    QCOMPARE(topmostOf(windows), otherWindow);
    QCOMPARE(run("xdotool", {"getwindowfocus"}), otherWindow);

    RunningProgram second(environment);
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(topmostOf(windows), dialog, 5000);
    screenshot("second-start");
}

// The program ends without taking Qt apart; what a quit must leave behind
// is still there: the layout ticks in a sound store, no socket that would
// turn the next start away.
void XDesktopTest::quittingSavesTheLayoutAndFreesTheNextStart()
{
    QTemporaryDir folder;
    const QProcessEnvironment environment = freshEnvironment(folder);
    for (int start = 1; start <= 2; ++start) {
        RunningProgram program(environment);
        QVERIFY(program.waitForStarted());
        const QString mainWindow = waitForWindow(program.processId(), "Sleevix von Tarnholm");
        QVERIFY2(!mainWindow.isEmpty(),
                 qPrintable(QStringLiteral("start %1 showed no window").arg(start)));
        typeInto(mainWindow, {"alt+a", "b"});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        const QStringList left
            = QDir(folder.filePath("runtime")).entryList({"Sleevix-*"}, QDir::System | QDir::Files);
        QCOMPARE(left.filter(QRegularExpression("^Sleevix-X\\d+$")), QStringList());
        const QString storePath = folder.filePath("config/Tarnholm/Sleevix/settings.db");
        QVERIFY2(QFile::exists(storePath), qPrintable(storePath));
        SettingsStore store(storePath);
        QVERIFY(store.exists("CD"));
        QCOMPARE(store.readBool("CD"), false);
    }
}

// One instance per user and display: a start on another display runs
// beside the first, and a later start there comes to that display's one.
void XDesktopTest::startsOnTwoDisplaysRunSideBySide()
{
    const OwnDisplay display;
    QVERIFY2(!display.name().isEmpty(), "Xvfb did not start");
    QTemporaryDir folder;
    const QProcessEnvironment here = freshEnvironment(folder);
    QProcessEnvironment there = here;
    there.insert("DISPLAY", display.name());
    const QString title = "Sleevix von Tarnholm";

    RunningProgram first(here);
    QVERIFY(first.waitForStarted());
    QVERIFY2(!waitForWindow(first.processId(), title).isEmpty(),
             "no main window on the first display");
    RunningProgram second(there);
    QVERIFY(second.waitForStarted());
    QVERIFY2(!waitForWindow(second.processId(), title, there).isEmpty(),
             "no main window on the second display");
    QCOMPARE(first.state(), QProcess::Running);
    const QStringList sockets = QDir(folder.filePath("runtime"))
                                    .entryList({"Sleevix-*"}, QDir::System)
                                    .filter(QRegularExpression("^Sleevix-X\\d+$"));
    QCOMPARE(sockets.size(), 2);

    RunningProgram third(there);
    QVERIFY(third.waitForFinished(20000));
    QCOMPARE(third.exitStatus(), QProcess::NormalExit);
    QCOMPARE(third.exitCode(), 0);
    QCOMPARE(second.state(), QProcess::Running);
}

// JPEG decoding and printing live in modules the program loads at their
// first use: a JPEG chosen in the open dialog, then the sheet saved as PDF.
void XDesktopTest::pictureAndPrintPartsLoadWhenFirstNeeded()
{
    QTemporaryDir folder;
    RunningProgram program(freshEnvironment(folder));
    QVERIFY(program.waitForStarted());
    const qint64 pid = program.processId();
    const QString mainWindow = waitForWindow(pid, "Sleevix von Tarnholm");
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not show");

    const QString openTitle = QString::fromUtf8("Öffnen");
    const QString openDialog = openWithKeys(pid, mainWindow, {"alt+v"}, openTitle);
    QVERIFY2(!openDialog.isEmpty(), "the open dialog did not show");
    QVERIFY2(chooseInFileDialog(pid, openDialog, openTitle,
                                testenv::dataFile("pictures/valid/jpeg/gdkpixbuf_cat_gray.jpg")),
             "the open dialog did not take the file");

    const QString saveTitle = QStringLiteral("Druck als PDF speichern");
    const QString saveDialog = openWithKeys(pid, mainWindow, {"alt+m", "p"}, saveTitle);
    QVERIFY2(!saveDialog.isEmpty(), "the PDF file dialog did not show");
    const QString pdf = folder.filePath("sheet.pdf");
    QVERIFY2(chooseInFileDialog(pid, saveDialog, saveTitle, pdf),
             "the PDF file dialog did not take the name");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, 10000);
    QTest::qWait(500);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("%PDF"));
    QVERIFY2(content.contains("/Subtype /Image"), "the picture is not in the PDF");
    QVERIFY(program.state() == QProcess::Running);
}

// The main window at start and in every layout, every settings page and
// the dialogs a new user meets first, for a reviewer to look at; at double
// scale the same shots end in "-2x". The front slot holds a one-colour red
// picture and the back slot a cover on black, which show whole.
void XDesktopTest::mainWindowAndSettingsPagesOnScreen()
{
    const QString suffix = qApp->devicePixelRatio() > 1 ? QStringLiteral("-2x") : QString();
    const QString red = m_dir.filePath("red.jpg");
    const QString cover = m_dir.filePath("black-cover.jpg");
    QVERIFY(solidPicture(300, 300, Qt::red).save(red));
    QVERIFY(coverOnBlack().save(cover));

    testenv::App app;
    TSleevix& main = app.main();
    main.OpenImage(1, red);
    main.OpenImage(2, cover);
    main.move(0, 0);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!windowShot(main, "main-window" + suffix).isNull());

    for (const LayoutShot& layout : kLayoutShots) {
        for (QCheckBox* box :
             {main.cbCD, main.cbSecFront, main.cbSecIMG, main.cbDouble, main.cbDVD, main.cbVHS})
            box->setChecked(false);
        main.cbCD->setChecked(true);  // every handler re-establishes the front and back layout
        main.cbCD->setChecked(false);
        for (const char* name : layout.ticks)
            main.findChild<QCheckBox*>(QLatin1String(name))->setChecked(true);
        QVERIFY(
            !windowShot(main, QStringLiteral("main-layout-%1").arg(layout.name) + suffix).isNull());
    }

    TCDSetup dialog(TCDSetup::Role::Dialog, main, main, &main);
    dialog.move(0, 0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QImage previous;
    for (int page = 0; page < dialog.PageControl->count(); ++page) {
        dialog.PageControl->setCurrentIndex(page);
        QVERIFY(dialog.PageControl->widget(page)->isVisible());
        const QImage shown
            = windowShot(dialog, QStringLiteral("settings-page-%1").arg(page) + suffix);
        QVERIFY(!shown.isNull());
        // Every page looks different from the one before it.
        QVERIFY2(shown != previous,
                 qPrintable(QStringLiteral("page %1 looks like page %2").arg(page).arg(page - 1)));
        previous = shown;
    }
    dialog.hide();

    PictureOpenDialog open(&main, testenv::dataFile("pictures/valid/jpeg"), QString());
    open.move(0, 0);
    open.show();
    QVERIFY(QTest::qWaitForWindowExposed(&open));
    QVERIFY(!windowShot(open, "picture-open-dialog" + suffix).isNull());
    open.hide();

    const PaperArea a4{QSizeF(210, 297), QRectF(4, 4, 202, 289)};
    CalibrationDialog calibration(QStringLiteral("Sleevix-PDF"), PrinterCalibration(),
                                  CalibrationRulers::forPaper(a4), &main);
    TAboutBox about(&main);
    TForm2 links(main.runLongSettings(), &main);
    TForm3 printCount(&main);
    const std::pair<QDialog*, const char*> dialogs[] = {{&calibration, "calibration-dialog"},
                                                        {&about, "about-box"},
                                                        {&links, "links-window"},
                                                        {&printCount, "print-count-window"}};
    for (const auto& [window, name] : dialogs) {
        window->move(0, 0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(!windowShot(*window, name + suffix).isNull());
        window->hide();
    }
}

void XDesktopTest::screensAtDoubleScale()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "2");
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"mainWindowAndSettingsPagesOnScreen"});
    QVERIFY(child.waitForFinished(240000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

int main(int argc, char* argv[])
{
    // The display comes from the test services; without it the test skips.
    const QByteArray display = qgetenv("SLEEVIX_E2E_DISPLAY");
    if (!display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display);
    }
    QApplication app(argc, argv);
    testenv::prepareApplication(app);
    XDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x_desktop.moc"
