#pragma once

#include <QString>
#include <QTest>

#include <memory>

class QApplication;
class TCDSetup;
class TSleevix;

namespace testenv {

// Path of a file below tests/data.
QString dataFile(const QString& relative);

// Puts QStandardPaths into test mode and removes the test settings store, so
// every test case starts from an empty per-user store.
void resetUserStore();

// The main window and the run-long settings window, created as start-up
// creates them, on a fresh store. Destroying the fixture clears the globals.
class App {
public:
    App();
    ~App();
    TSleevix& main() { return *m_main; }
    // The run-long window with its controls made.
    TCDSetup& setup();
    // The run-long window as start-up leaves it, without controls.
    TCDSetup& runLongSettings() { return *m_setup; }
    // Recreates both windows on the current store (a new run of the program).
    void restart();

private:
    void create();
    void destroy();
    std::unique_ptr<TSleevix> m_main;
    std::unique_ptr<TCDSetup> m_setup;
};

void prepareApplication(QApplication& app);

}  // namespace testenv

// Like QTEST_MAIN, but with the program's name (the per-user folders depend
// on it) and the test mode of QStandardPaths.
#define SLEEVIX_TEST_MAIN(TestClass)                    \
    int main(int argc, char* argv[])                    \
    {                                                   \
        QApplication app(argc, argv);                   \
        testenv::prepareApplication(app);               \
        TestClass test;                                 \
        return QTest::qExec(&test, argc, argv);         \
    }
