#include "model/program_values.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

// A dialog instance as the settings command opens it: shown (which runs
// its activation), not yet closed.
std::unique_ptr<TCDSetup> openDialog(TSleevix& main)
{
    auto dialog = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, main, main, &main);
    dialog->show();
    return dialog;
}

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void activationChoosesThePageOfTheLastTickedLayout()
    {
        testenv::App app;
        QCOMPARE(openDialog(app.main())->PageControl->currentIndex(), int(TCDSetup::PageFrontBack));
        app.main().cbVHS->setChecked(true);
        app.main().cbCD->blockSignals(true);  // both ticked, as a template load can leave them
        app.main().cbCD->setChecked(true);
        app.main().cbCD->blockSignals(false);
        QCOMPARE(openDialog(app.main())->PageControl->currentIndex(), int(TCDSetup::PageVhs));
        app.main().cbVHS->setChecked(false);
        QCOMPARE(openDialog(app.main())->PageControl->currentIndex(), int(TCDSetup::PageCd));
    }

    void activationMirrorsTheMainWindowsBoxes()
    {
        testenv::App app;
        app.main().cbSecFront->setChecked(true);
        store().writeBool("AutoFormat", false);
        store().writeInteger("Linker Rand Front", 77);
        auto dialog = openDialog(app.main());
        QVERIFY(dialog->cbSecFront->isChecked());
        QVERIFY(!dialog->spTop2->isVisibleTo(dialog.get()));
        QVERIFY(dialog->spTop2Front->isVisibleTo(dialog.get()));
        QVERIFY(!dialog->cbAutoFormat->isChecked());
        QVERIFY(!app.main().recognitionChecked());
        QCOMPARE(dialog->spLeft->value(), 77);
    }

    void testPrintButtonFollowsThePickedTab()
    {
        testenv::App app;
        auto dialog = openDialog(app.main());
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        for (int page = 0; page < TCDSetup::PageCount; ++page) {
            dialog->PageControl->tabButton(page)->click();
            const bool layoutPage = page >= TCDSetup::PageFrontBack && page <= TCDSetup::PageVhs;
            QCOMPARE(dialog->bTestDruck->isEnabled(), layoutPage);
        }
        dialog->PageControl->tabButton(TCDSetup::PageDvd)->click();
        dialog->Button7->click();  // "&Maße" on the DVD page
        QCOMPARE(dialog->PageControl->currentIndex(), int(TCDSetup::PageSizes));
        QVERIFY(!dialog->bTestDruck->isEnabled());
        QVERIFY(dialog->spMDVDB->hasFocus());
    }

    void standardValuesResetOnlyTheSizes()
    {
        testenv::App app;
        auto dialog = openDialog(app.main());
        dialog->spMDVDH->setValue(9999);
        dialog->spMV->setValue(5);
        dialog->spTop->setValue(44);
        dialog->cbMVorlagen->setChecked(false);
        dialog->Button3->click();
        QCOMPARE(dialog->spMDVDH->value(), 184);
        QCOMPARE(dialog->spMV->value(), 120);
        QCOMPARE(dialog->spTop->value(), 44);
        QVERIFY(!dialog->cbMVorlagen->isChecked());
        QVERIFY(!store().exists("MDVDH"));  // nothing saved before "&Speichern"
    }

    void fieldsClampAndReadNonNumbersAsTheirMinimum()
    {
        testenv::App app;
        auto dialog = openDialog(app.main());
        dialog->PageControl->setCurrentIndex(TCDSetup::PageSizes);
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        dialog->spMCD->setFocus();
        dialog->spMCD->setText("500");
        QCOMPARE(dialog->spMCD->value(), 500);  // typing is free ...
        dialog->spMRB->setFocus();              // ... leaving the field clamps
        QCOMPARE(dialog->spMCD->text(), QString("130"));
        dialog->spMRB->setText("");
        QCOMPARE(dialog->spMRB->value(), 1);
        dialog->spTop->setText("-");
        QCOMPARE(dialog->spTop->value(), 0);
        dialog->spTop->setValue(-3);
        QCOMPARE(dialog->spTop->value(), -3);
    }

    void secondFrontSwapsFieldsAndStaysAfterCancel()
    {
        testenv::App app;
        auto dialog = openDialog(app.main());
        dialog->cbSecFront->setChecked(true);
        QVERIFY(!dialog->cbKnickTrennVR->isEnabled());
        QVERIFY(dialog->spLeft2front->isVisibleTo(dialog.get()));
        QCOMPARE(dialog->spLeft2front->geometry(), dialog->spLeft2->geometry());
        QVERIFY(app.main().cbSecFront->isChecked());
        dialog->cbSecImg->setChecked(true);
        dialog->eDaten->setText("/tmp/getippt");
        dialog->Button2->click();
        QVERIFY(app.main().cbSecFront->isChecked());
        QVERIFY(app.main().cbSecIMG->isChecked());
        QCOMPARE(program().ImageFolder, QString("/tmp/getippt"));
        QVERIFY(!store().exists("Daten"));
        QVERIFY(!store().exists("2 Front"));
    }

    void saveStoresADisabledButTickedFoldGuide()
    {
        testenv::App app;
        auto dialog = openDialog(app.main());
        dialog->cbUDouble->setChecked(false);
        QVERIFY(!dialog->cbKnickTrennD->isEnabled());
        QVERIFY(dialog->cbKnickTrennD->isChecked());
        dialog->Button1->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(store().readBool("TrennerD"));
        QVERIFY(!store().readBool("UDouble"));
    }

    void folderChoosersFillTheirFields()
    {
        testenv::App app;
        auto dialog = openDialog(app.main());
        QStringList titles;
        QString answer = "/srv/bilder";
        dialog->chooseFolder = [&](const QString& title) {
            titles << title;
            return answer;
        };
        dialog->SpeedButton1->click();
        QCOMPARE(dialog->eDaten->text(), QString("/srv/bilder"));
        QCOMPARE(program().ImageFolder, QString("/srv/bilder"));
        answer.clear();
        dialog->SpeedButton2->click();
        QVERIFY(!dialog->eLabels->text().isEmpty());
        QCOMPARE(titles, QStringList({"Anfangsverzeichnis wählen", "Labelverzeichnis wählen"}));
    }

    void settingsCommandResynchronisesTheMainWindow()
    {
        testenv::App app;
        app.main().runSettingsDialog = [&] {
            auto dialog = openDialog(app.main());
            dialog->eDaten->setText("/tmp/neu");
            dialog->cbAutoFormat->setChecked(false);
            dialog->reject();
        };
        app.main().sbKonfig->click();
        QCOMPARE(app.main().openDialogFolder(), QString("/tmp/neu"));
        QVERIFY(!app.main().recognitionChecked());
        QVERIFY(!program().AutoFormat);
    }
};

SLEEVIX_TEST_MAIN(SettingsDialogTest)
#include "tst_settings_dialog.moc"
