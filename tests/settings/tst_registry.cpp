#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/spin_edit.h"
#include "settings/link_list_editor.h"
#include "platform/printing/printer_choice.h"
#include "settings/t_cd_setup.h"
#include "model/setting_table.h"
#include "model/program_values.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

QStringList listEntries(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

// Stored value names in the order they were first written.
QStringList storedNamesInWriteOrder()
{
    sqlite3* db = nullptr;
    sqlite3_open(SettingsStore::userStorePath().toUtf8().constData(), &db);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM settings_values ORDER BY rowid", -1, &query, nullptr);
    QStringList names;
    while (sqlite3_step(query) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
    sqlite3_finalize(query);
    sqlite3_close(db);
    return names;
}

}  // namespace

class RegistryTest : public QObject {
    Q_OBJECT

private slots:
    // The run-long window never has controls; its settings, their effects
    // on the main window and the controls of a dialog opened on the same
    // store all agree.
    void runLongWindowHoldsTheSameValuesAsADialog()
    {
        testenv::App app;
        store().writeString("Daten", "/tmp/bilder");
        store().writeBool("UFront", false);
        store().writeBool("AutoFormat", false);
        store().writeBool("SelPrinter", false);
        store().writeBool("CDRund", true);
        store().writeInteger("MVorderseite", 500);
        store().writeInteger("Linker Rand Front", -3);
        store().writeString("URL0", "b");
        store().writeString("URL1", "a");
        store().writeString("URL2", "B");
        app.restart();
        TCDSetup& runLong = app.runLongSettings();
        QVERIFY(!runLong.hasControls());
        QVERIFY(!app.main().recognitionChecked());
        QCOMPARE(program().ImageFolder, QString("/tmp/bilder"));
        QVERIFY(!program().AutoFormat);
        QVERIFY(!program().SelPrinter);

        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        const CoverSettings& shown = dialog.settings();
        auto compareValues = [&](const CoverSettings& settings) {
            for (int i = 0; i < int(Check::Count); ++i)
                QCOMPARE(settings.ticked(Check(i)), shown.ticked(Check(i)));
            for (int i = 0; i < int(Length::Count); ++i)
                QCOMPARE(settings.length(Length(i)), shown.length(Length(i)));
            for (int i = 0; i < int(Folder::Count); ++i)
                QCOMPARE(settings.folder(Folder(i)), shown.folder(Folder(i)));
            QCOMPARE(settings.links(), shown.links());
        };
        compareValues(runLong.settings());
        QCOMPARE(runLong.settings().length(Length::spMV), 130);
        QCOMPARE(runLong.settings().links(), QStringList({"B", "a", "b"}));

        runLong.settings().setTicked(Check::cbAutoFormat, true);  // as the main window's menu does
        QVERIFY(app.main().recognitionChecked());
        QVERIFY(!dialog.cbAutoFormat->isChecked());
        QVERIFY(dialog.spMCDLoch->isEnabled());
        QCOMPARE(dialog.spMV->value(), 130);
        QCOMPARE(dialog.spLeft->value(), -3);
        QCOMPARE(listEntries(dialog.ListBox), QStringList({"B", "a", "b"}));
        runLong.settings().setTicked(Check::cbAutoFormat, false);
        compareValues(runLong.settings());
    }

    void emptyStoreLoadsEveryDefault()
    {
        testenv::App app;
        TCDSetup& setup = app.setup();
        for (const SettingRow& row : settingRows()) {
            if (const Length* length = std::get_if<Length>(&row.setting))
                QCOMPARE(setup.settings().length(*length), row.defaultValue);
            else if (const Check* check = std::get_if<Check>(&row.setting); check && row.loaded)
                QCOMPARE(setup.settings().ticked(*check), row.defaultValue != 0);
        }
        QCOMPARE(setup.spMV->value(), 120);
        QVERIFY(setup.cbUFront->isChecked());
        QVERIFY(!setup.cbCDRund->isChecked());
        QVERIFY(!setup.eDaten->text().isEmpty());
        QVERIFY(setup.eLabels->text().endsWith("Vorlagen"));
        QCOMPARE(setup.ListBox->count(), 0);
        QCOMPARE(program().ImageFolder, setup.eDaten->text());
        QVERIFY(program().AutoSave);
        QVERIFY(program().AutoFormat);
        QVERIFY(program().SelPrinter);
        QCOMPARE(program().printerName(), QString());  // no printer installed
        QVERIFY(app.main().recognitionChecked());
    }

    void storedValuesAreClampedAndFoundUnderAnySpelling()
    {
        testenv::App app;
        store().writeInteger("MBackW", 140);
        store().writeInteger("MVorderseite", 200);
        store().writeInteger("Linker Rand Front", -5);
        store().writeInteger("mdoph", 99);
        store().writeInteger("MCD", -20);
        store().writeInteger("mdvdh", 9999);
        app.setup().ReadRegistry();
        QCOMPARE(app.setup().spMRB->value(), 140);
        QCOMPARE(app.setup().spMRH->value(), 118);
        QCOMPARE(app.setup().spMV->value(), 130);
        QCOMPARE(app.setup().spLeft->value(), -5);
        QCOMPARE(app.setup().spMDH->value(), 99);
        QCOMPARE(app.setup().spMCD->value(), 1);
        QCOMPARE(app.setup().spMDVDH->value(), 9999);  // no limits
    }

    void wrongTypeStopsTheLoadAtThatValue()
    {
        testenv::App app;
        app.setup().spCDTop->setValue(5);
        store().writeBool("UFront", false);
        store().writeString("Oberer Rand Back", "viel");
        store().writeInteger("CD-oben", 77);
        try {
            app.setup().ReadRegistry();
            QFAIL("the load went on past a string stored for a number");
        } catch (const SettingsError& error) {
            QCOMPARE(error.message(), QString("Ungültiger Datentyp für 'Oberer Rand Back'"));
        }
        QVERIFY(!app.setup().cbUFront->isChecked());  // applied before the bad value
        QCOMPARE(app.setup().spCDTop->value(), 5);    // later rows keep what they held
    }

    void linkListFollowsTheNumberedRun()
    {
        testenv::App app;
        store().writeString("url0", "www.b.de");
        store().writeString("URL1", "/home/anna/Bilder");
        store().writeString("Url2", "http://a.de");
        app.setup().ReadRegistry();
        QCOMPARE(listEntries(app.setup().ListBox),
                 QStringList({"/home/anna/Bilder", "http://a.de", "www.b.de"}));

        store().remove("URL2");
        store().writeString("Url3", "after a gap");
        app.setup().ReadRegistry();
        QCOMPARE(app.setup().ListBox->count(), 2);

        app.setup().linkEditor->removeAllEntries();
        app.setup().WriteRegistry();
        QVERIFY(!store().exists("URL0"));
        QVERIFY(!store().exists("URL1"));
        QCOMPARE(store().readString("URL3"), QString("after a gap"));
    }

    void savingAShorterListLeavesExactlyItsEntries()
    {
        testenv::App app;
        for (int i = 0; i < 5; ++i)
            store().writeString(QString("Url%1").arg(i), QString("eintrag %1").arg(i));
        app.setup().settings().setLinks({"a", "b", "c"});
        app.setup().WriteRegistry();
        QCOMPARE(store().readString("Url0"), QString("a"));
        QCOMPARE(store().readString("Url2"), QString("c"));
        QVERIFY(!store().exists("Url3"));
        QVERIFY(!store().exists("Url4"));
    }

    void writeRegistryWritesEveryValueInItsOrderAndReadsBack()
    {
        testenv::App app;
        TCDSetup& setup = app.setup();
        setup.spMVHSB->setValue(250);
        setup.spMVHSH->setValue(205);
        setup.spTop->setText("-");  // not a number: stored as the minimum
        setup.spMRB->setText("");
        setup.cbSecFront->setChecked(true);
        setup.cbSelPrinter->setChecked(false);
        setup.WriteRegistry();

        QStringList expected;
        for (const SettingRow* row : settingWriteOrder())
            expected << QString::fromLatin1(row->valueName);
        QCOMPARE(storedNamesInWriteOrder(), expected);
        QCOMPARE(store().readInteger("MVHSW"), 250);
        QCOMPARE(store().readInteger("MVHSH"), 205);
        QCOMPARE(store().readInteger("Oberer Rand Front"), 0);
        QCOMPARE(store().readInteger("MBackW"), 1);
        QVERIFY(store().readBool("2 Front"));
        QVERIFY(!store().readBool("SelPrinter"));

        app.restart();
        QCOMPARE(app.setup().spMVHSB->value(), 250);
        QCOMPARE(app.setup().spMVHSH->value(), 205);
        QVERIFY(!app.setup().cbSecFront->isChecked());  // "2 Front" is the main window's
    }

    void savedPrinterIsSelectedOnlyWhenInstalledUnderTheExactName()
    {
        PrinterChoice& printers = PrinterChoice::instance();
        printers.setPrinterListForTesting([] { return QStringList({"Laser", "Tinte"}); }, "Laser");
        testenv::App app;
        store().writeString("PrinterName", "Tinte");
        app.setup().ReadRegistry();
        QCOMPARE(printers.currentPrinter(), QString("Tinte"));

        store().writeString("PrinterName", "tinte");
        printers.setCurrentPrinter("Laser");
        app.setup().ReadRegistry();
        QCOMPARE(printers.currentPrinter(), QString("Laser"));

        store().writeString("PrinterName", "Entfernt");
        app.setup().ReadRegistry();
        QCOMPARE(printers.currentPrinter(), QString("Laser"));
        app.setup().WriteRegistry();
        QCOMPARE(store().readString("PrinterName"), QString("Entfernt"));

        store().remove("PrinterName");
        app.setup().ReadRegistry();
        QCOMPARE(program().printerName(), QString("Laser"));
        printers.setPrinterListForTesting([] { return QStringList(); }, QString());
    }

    void programWideValuesFollowTheirBoxes()
    {
        testenv::App app;
        app.setup().eDaten->setText("/tmp/bilder");
        QCOMPARE(program().ImageFolder, QString("/tmp/bilder"));
        app.setup().cbAutosave->setChecked(false);
        QVERIFY(!program().AutoSave);
        app.setup().cbAutoFormat->setChecked(false);
        QVERIFY(!program().AutoFormat);
        QVERIFY(!app.main().recognitionChecked());
        QVERIFY(!app.main().popupItem(2, TSleevix::kRecognitionItem)->isChecked());
        app.setup().cbUBack->setChecked(false);
        QVERIFY(!app.setup().cbKnickTrennVR->isEnabled());
        QVERIFY(app.setup().cbKnickTrennVR->isChecked());  // keeps its tick
        app.setup().cbUDouble->setChecked(false);
        QVERIFY(!app.setup().cbKnickTrennD->isEnabled());
    }
};

SLEEVIX_TEST_MAIN(RegistryTest)
#include "tst_registry.moc"
