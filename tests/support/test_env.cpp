#include "support/test_env.h"

#include "app/application.h"
#include "app/globals.h"
#include "platform/store/settings_store.h"
#include "platform/printing/printer_choice.h"
#include "settings/t_cd_setup.h"
#include "model/program_values.h"
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

App::App()
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

TCDSetup& App::setup()
{
    m_setup->ensureControls();
    return *m_setup;
}

void App::create()
{
    m_main = std::make_unique<TSleevix>();
    Sleevix = m_main.get();
    m_setup = std::make_unique<TCDSetup>(TCDSetup::Role::RunLong);
    CDSetup = m_setup.get();
    // Tests never block in a real dialog.
    m_main->runOpenDialog = [] { return QStringList(); };
}

void App::destroy()
{
    CDSetup = nullptr;
    m_setup.reset();
    Sleevix = nullptr;
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
