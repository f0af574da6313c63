#include "app/application.h"

#include "app/program_style.h"
#include "model/program_values.h"
#include "platform/desktop/single_instance.h"
#include "platform/helper_pictures/helper_picture_decoder.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/metafile_decoder.h"
#include "platform/pictures/picture_loader.h"
#include "platform/printing/print_support.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/error_box.h"
#include "settings/t_cd_setup.h"
#include "workspace/command_line.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void tellAboutRecoveredStore(QWidget* mainWindow)
{
    const QString moved = SettingsStore::user().recoveredFile();
    if (moved.isEmpty())
        return;
    QMessageBox::warning(
        mainWindow, QApplication::applicationDisplayName(),
        QStringLiteral("Die Einstellungsdatei war beschädigt und wurde als\n%1\n"
                       "beiseitegelegt. Sleevix beginnt mit den Standardeinstellungen.")
            .arg(moved));
}

}  // namespace

void configureApplication(QApplication& app)
{
    setPrintFileFolder([] { return program().ImageFolder; });
    setMetafileDecoder([](const QByteArray& data, const QString& extension) {
        try {
            return decodeMetafile(data, extension);
        } catch (const InvalidMetafileError& error) {
            throw InvalidPictureError(QString::fromLocal8Bit(error.what()));
        }
    });
    setHelperDecoder(decodeHelperPicture);
    app.setOrganizationName(QStringLiteral("Tarnholm"));
    app.setApplicationName(QStringLiteral("Sleevix"));
    app.setApplicationDisplayName(QStringLiteral("Sleevix von Tarnholm"));
    app.setApplicationVersion(QStringLiteral("2.6"));
    app.setStyle(new ProgramStyle);
    // The program speaks German, and so do Qt's own dialogs.
    static QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    // The windows are laid out in fixed pixels; a compact font with known
    // metrics keeps every caption inside its control.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    // Whole-pixel glyph advances keep the captions' widths steady in the
    // fixed-pixel layout. Lighter hinting would also run FreeType's
    // auto-hinter over the font and draw each glyph at several sub-pixel
    // offsets: a millisecond more before the window first shows.
    font.setHintingPreference(QFont::PreferFullHinting);
    app.setFont(font);
}

void endWithoutTeardown(int exitCode)
{
    // The piecewise teardown (the windows and their widgets, the font
    // configuration, plugins, caches, every library's finalisers) costs each
    // quit a few milliseconds and leaves nothing behind that the user could
    // see.
    // Sanitizer builds take the long way, so that leak checking sees it all.
#if !defined(__SANITIZE_ADDRESS__)
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard() || clipboard->ownsSelection())
        return;
    SettingsStore::resetUser();
    std::fflush(nullptr);
    std::_Exit(exitCode);
#else
    Q_UNUSED(exitCode);
#endif
}

void bringToFront(QWidget& mainWindow)
{
    QWidget* target = QApplication::activeModalWidget();
    if (!target)
        target = &mainWindow;
    if (target->isMinimized())
        target->showNormal();
    target->raise();
    target->activateWindow();
}

int runSleevix(QApplication& app)
{
    SingleInstance guard(QStringLiteral("Sleevix"));
    if (guard.anotherInstanceRuns(CommandLine(app.arguments()).pictureFiles()))
        return 0;

    // The main window and the settings window that lives for the whole run;
    // the settings window reaches the main window through the two
    // interfaces it implements.
    TSleevix Sleevix(app.arguments());
    TCDSetup CDSetup(TCDSetup::Role::RunLong, Sleevix, Sleevix, &Sleevix);
    Sleevix.attachSettings(CDSetup);
    QObject::connect(&guard, &SingleInstance::activationRequested, &Sleevix,
                     [&Sleevix] { bringToFront(Sleevix); });
    QObject::connect(&guard, &SingleInstance::filesHandedOver, &Sleevix,
                     [&Sleevix](const QStringList& files) {
                         runGuarded(&Sleevix, [&] { Sleevix.openFiles(files); });
                     });

    Sleevix.show();
    centreOnScreen(Sleevix);
    QTimer::singleShot(0, &Sleevix, [&Sleevix] { tellAboutRecoveredStore(&Sleevix); });
    const int result = app.exec();
    // The main window saved what it had to when it closed.
    guard.stopListening();
    endWithoutTeardown(result);
    return result;
}
