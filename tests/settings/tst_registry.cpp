#include "model/program_values.h"
#include "model/setting_table.h"
#include "platform/printing/printer_choice.h"
#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/spin_edit.h"
#include "settings/link_list_editor.h"
#include "settings/t_cd_setup.h"
#include "support/message_boxes.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <limits>
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

// Stores a number as another program may, beyond the 32 bits the program
// writes.
void storeWideInteger(const char* name, qint64 value)
{
    sqlite3* db = nullptr;
    sqlite3_open(SettingsStore::userStorePath().toUtf8().constData(), &db);
    sqlite3_stmt* upsert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO settings_values (key, name, type, value) VALUES "
                       "('Software\\Tarnholm\\Sleevix', ?1, 4, ?2)"
                       " ON CONFLICT (key, name) DO UPDATE SET value = excluded.value",
                       -1, &upsert, nullptr);
    sqlite3_bind_text(upsert, 1, name, -1, SQLITE_STATIC);
    sqlite3_bind_int64(upsert, 2, value);
    QCOMPARE(sqlite3_step(upsert), SQLITE_DONE);
    sqlite3_finalize(upsert);
    sqlite3_close(db);
}

// A stored value for every row, none of them a default.
QVariant unusualValue(const SettingRow& row)
{
    if (std::holds_alternative<Folder>(row.setting))
        return QString("/daten/") + row.valueName;
    if (std::holds_alternative<Check>(row.setting))
        return row.defaultValue == 0;
    if (std::holds_alternative<Length>(row.setting))
        return row.hasLimits() ? row.minimum + 1 : row.defaultValue + 7;
    return QString("Drucker im Flur");
}

void storeValue(const SettingRow& row, const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        store().writeString(row.valueName, value.toString());
    else if (value.typeId() == QMetaType::Bool)
        store().writeBool(row.valueName, value.toBool());
    else
        store().writeInteger(row.valueName, value.toInt());
}

QVariant storedValue(const SettingRow& row, const QVariant& like)
{
    if (like.typeId() == QMetaType::QString)
        return store().readString(row.valueName);
    if (like.typeId() == QMetaType::Bool)
        return store().readBool(row.valueName);
    return store().readInteger(row.valueName);
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
        // Numbers beyond 32 bits clamp like any other out-of-range value.
        storeWideInteger("MDVDW", 3000000000);
        storeWideInteger("MKB", -(qint64(1) << 40));
        storeWideInteger("MVHSH", (qint64(1) << 32) + 10);
        storeWideInteger("Oberer Rand Front", -(qint64(1) << 33));
        storeWideInteger("UFront", qint64(1) << 32);  // not zero: true
        app.setup().cbUFront->setChecked(false);
        app.setup().ReadRegistry();
        QCOMPARE(app.setup().spMRB->value(), 140);
        QCOMPARE(app.setup().spMRH->value(), 118);
        QCOMPARE(app.setup().spMV->value(), 130);
        QCOMPARE(app.setup().spLeft->value(), -5);
        QCOMPARE(app.setup().spMDH->value(), 99);
        QCOMPARE(app.setup().spMCD->value(), 1);
        QCOMPARE(app.setup().spMDVDH->value(), 9999);  // no limits
        QCOMPARE(app.setup().spMDVDB->value(), 300);
        QCOMPARE(app.setup().spMKB->value(), 1);
        QCOMPARE(app.setup().spMVHSH->value(), std::numeric_limits<qint32>::max());
        QCOMPARE(app.setup().spTop->value(), std::numeric_limits<qint32>::min());
        QVERIFY(app.setup().cbUFront->isChecked());
    }

    // A value of the wrong type in the middle of the load order (and one in
    // the link list) costs only itself: it is reported, its control takes
    // the default, and saving keeps every other stored value.
    void wrongTypedValueCostsOnlyItself()
    {
        testenv::App app;
        QHash<QString, QVariant> stored;
        for (const SettingRow& row : settingRows()) {
            if (!row.loaded)
                continue;
            stored.insert(row.valueName, unusualValue(row));
            storeValue(row, stored.value(row.valueName));
        }
        store().writeString("Oberer Rand Back", "viel");
        store().writeString("Url0", "https://a.example");
        store().writeInteger("Url1", 5);
        store().writeString("Url2", "https://c.example");
        const QString report
            = "Ungültiger Datentyp für 'Oberer Rand Back'\nUngültiger Datentyp für 'URL1'";

        testenv::MessageBoxWatch boxes;
        app.restart();
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.show();
        QCOMPARE(dialog.spTop2->value(), 130);
        QCOMPARE(listEntries(dialog.ListBox),
                 QStringList({"https://a.example", "https://c.example"}));
        dialog.Button1->click();  // "&Speichern"
        QVERIFY(!dialog.isVisible());
        QCOMPARE(boxes.texts(),
                 QStringList({report, report, report}));  // start, dialog creation, activation

        for (const SettingRow& row : settingRows()) {
            if (row.loaded && QLatin1String(row.valueName) != QLatin1String("Oberer Rand Back"))
                QCOMPARE(storedValue(row, stored.value(row.valueName)),
                         stored.value(row.valueName));
        }
        QCOMPARE(store().readInteger("Oberer Rand Back"), 130);
        QCOMPARE(store().readString("URL1"), QString("https://c.example"));
        QVERIFY(!store().exists("URL2"));
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
