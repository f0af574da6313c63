#pragma once

#include <QString>
#include <QStringList>
#include <QTest>

#include <memory>

class CoverSettings;
class QApplication;
class TCDSetup;
class TSleevix;

namespace testenv {

// Path of a file below tests/data.
QString dataFile(const QString& relative);

// Puts QStandardPaths into test mode and removes the test settings store, so
// every test case starts from an empty per-user store.
void resetUserStore();

// The main window and the run-long settings window, created and tied
// together as start-up does it, on a fresh store; the main window is given
// the command line `arguments`.
class App {
public:
    explicit App(const QStringList& arguments = {});
    ~App();
    TSleevix& main() { return *m_main; }
    // The run-long settings window, which never has controls.
    TCDSetup& runLongSettings() { return *m_runLong; }
    // Its settings: what the main window prints with.
    CoverSettings& settings();
    // A settings dialog as the settings command opens it, made at the first
    // call and not shown: its controls can be driven directly.
    TCDSetup& setup();
    // Recreates both windows on the current store (a new run of the program).
    void restart();

private:
    void create();
    void destroy();
    QStringList m_arguments;
    std::unique_ptr<TSleevix> m_main;
    std::unique_ptr<TCDSetup> m_runLong;
    std::unique_ptr<TCDSetup> m_dialog;
};

void prepareApplication(QApplication& app);

}  // namespace testenv

// Like QTEST_MAIN, but with the program's name (the per-user folders depend
// on it) and the test mode of QStandardPaths.
#define SLEEVIX_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        testenv::prepareApplication(app);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
