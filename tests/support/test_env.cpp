#include "support/test_env.h"

#include "app/application.h"
#include "model/program_values.h"
#include "platform/printing/printer_choice.h"
#include "platform/store/settings_store.h"
#include "settings/t_cd_setup.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace testenv {

QString dataFile(const QString& relative)
{
    return QDir(QStringLiteral(SLEEVIX_TEST_DATA)).filePath(relative);
}

void resetUserStore()
{
    QStandardPaths::setTestModeEnabled(true);
    SettingsStore::resetUser();
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir(dir).removeRecursively();
    QFile::remove(dir);  // a test may have put a file where the folder belongs
    QDir().mkpath(dir);
}

void prepareApplication(QApplication& app)
{
    configureApplication(app);
    QStandardPaths::setTestModeEnabled(true);
    // No test depends on the printers of the machine it runs on.
    PrinterChoice::instance().setPrinterListForTesting([] { return QStringList(); }, QString());
}

App::App(const QStringList& arguments) : m_arguments(arguments)
{
    resetUserStore();
    program() = ProgramValues();
    create();
}

App::~App()
{
    destroy();
    SettingsStore::resetUser();
}

CoverSettings& App::settings()
{
    return m_runLong->settings();
}

TCDSetup& App::setup()
{
    if (!m_dialog)
        m_dialog
            = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, *m_main, *m_main, m_main.get());
    return *m_dialog;
}

void App::create()
{
    m_main = std::make_unique<TSleevix>(m_arguments);
    m_runLong = std::make_unique<TCDSetup>(TCDSetup::Role::RunLong, *m_main, *m_main, m_main.get());
    m_main->attachSettings(*m_runLong);
    // Tests never block in a real dialog.
    m_main->runOpenDialog = [] { return QStringList(); };
}

void App::destroy()
{
    m_dialog.reset();
    m_runLong.reset();
    m_main.reset();
}

void App::restart()
{
    destroy();
    SettingsStore::resetUser();
    program() = ProgramValues();
    create();
}

}  // namespace testenv
