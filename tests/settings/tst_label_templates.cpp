#include "model/program_values.h"
#include "model/ready_templates.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/t_cd_setup.h"
#include "settings/template_icons.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>

namespace {

const QStringList kChecks{"cbUFront",      "cbUBack",      "cbUDouble",    "cbSecFront",
                          "cbSecImg",      "cbAutosave",   "cbAutoFormat", "cbKnickTrennVR",
                          "cbKnickTrennD", "cbSelPrinter", "cbUDVD",       "cbUVHS",
                          "cbCDRund"};
const QStringList kPositions{"spTop",        "spLeft",      "spTop2",   "spLeft2",
                             "spLeft2front", "spTop2Front", "spCDTop",  "spCDLeft",
                             "spCDTop2",     "spCDLeft2",   "spDleft",  "spDTop",
                             "spDVDTop",     "spDVDLeft",   "spVHSTop", "spVHSLeft"};
const QStringList kSizes{"spMV",  "spMRB",   "spMRH",   "spMKB",   "spMDB",  "spMDH",
                         "spMCD", "spMDVDB", "spMDVDH", "spMVHSB", "spMVHSH"};
const QList<int> kStandardSizes{120, 152, 118, 7, 241, 120, 117, 273, 184, 265, 191};

// The dialog's controls by the names the template keys are listed by above.
const std::map<QString, QCheckBox * TCDSetup::*> kBoxMembers{
    {"cbUFront", &TCDSetup::cbUFront},
    {"cbUBack", &TCDSetup::cbUBack},
    {"cbUDouble", &TCDSetup::cbUDouble},
    {"cbSecFront", &TCDSetup::cbSecFront},
    {"cbSecImg", &TCDSetup::cbSecImg},
    {"cbAutosave", &TCDSetup::cbAutosave},
    {"cbAutoFormat", &TCDSetup::cbAutoFormat},
    {"cbKnickTrennVR", &TCDSetup::cbKnickTrennVR},
    {"cbKnickTrennD", &TCDSetup::cbKnickTrennD},
    {"cbSelPrinter", &TCDSetup::cbSelPrinter},
    {"cbUDVD", &TCDSetup::cbUDVD},
    {"cbUVHS", &TCDSetup::cbUVHS},
    {"cbCDRund", &TCDSetup::cbCDRund}};

const std::map<QString, SpinEdit * TCDSetup::*> kFieldMembers{
    {"spTop", &TCDSetup::spTop},
    {"spLeft", &TCDSetup::spLeft},
    {"spTop2", &TCDSetup::spTop2},
    {"spLeft2", &TCDSetup::spLeft2},
    {"spLeft2front", &TCDSetup::spLeft2front},
    {"spTop2Front", &TCDSetup::spTop2Front},
    {"spCDTop", &TCDSetup::spCDTop},
    {"spCDLeft", &TCDSetup::spCDLeft},
    {"spCDTop2", &TCDSetup::spCDTop2},
    {"spCDLeft2", &TCDSetup::spCDLeft2},
    {"spDleft", &TCDSetup::spDleft},
    {"spDTop", &TCDSetup::spDTop},
    {"spDVDTop", &TCDSetup::spDVDTop},
    {"spDVDLeft", &TCDSetup::spDVDLeft},
    {"spVHSTop", &TCDSetup::spVHSTop},
    {"spVHSLeft", &TCDSetup::spVHSLeft},
    {"spMV", &TCDSetup::spMV},
    {"spMRB", &TCDSetup::spMRB},
    {"spMRH", &TCDSetup::spMRH},
    {"spMKB", &TCDSetup::spMKB},
    {"spMDB", &TCDSetup::spMDB},
    {"spMDH", &TCDSetup::spMDH},
    {"spMCD", &TCDSetup::spMCD},
    {"spMDVDB", &TCDSetup::spMDVDB},
    {"spMDVDH", &TCDSetup::spMDVDH},
    {"spMVHSB", &TCDSetup::spMVHSB},
    {"spMVHSH", &TCDSetup::spMVHSH}};

QCheckBox* check(TCDSetup& setup, const QString& name)
{
    return setup.*kBoxMembers.at(name);
}

SpinEdit* spin(TCDSetup& setup, const QString& name)
{
    return setup.*kFieldMembers.at(name);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList listEntries(const TCDSetup& setup)
{
    QStringList entries;
    for (int i = 0; i < setup.ListView->count(); ++i)
        entries << setup.ListView->item(i)->text();
    return entries;
}

void select(TCDSetup& setup, const QString& caption)
{
    setup.ListView->setCurrentItem(setup.ListView->findItems(caption, Qt::MatchExactly).value(0));
}

// Every control of the template, set from one seed so two seeds differ everywhere.
void setEveryControl(TCDSetup& setup, TSleevix& main, int seed)
{
    for (int i = 0; i < kChecks.size(); ++i)
        check(setup, kChecks[i])->setChecked((i + seed) % 2 == 0);
    for (int i = 0; i < kPositions.size(); ++i)
        spin(setup, kPositions[i])->setValue(seed * 10 + i - 5);
    for (int i = 0; i < kSizes.size(); ++i)
        spin(setup, kSizes[i])->setValue(seed + i + 1);
    main.cbDouble->setChecked(seed % 2 == 0);
    main.cbCD->setChecked(seed % 2 != 0);
    program().setPrinterName(QStringLiteral("Drucker %1").arg(seed));
}

struct SeenBox {
    QString title;
    QString text;
};

// Answers the next message box with `button` and records what it showed.
void answerNextBox(QMessageBox::StandardButton button, SeenBox* seen)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, button, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seen = {box->windowTitle(), box->text()};
        box->button(button)->click();
        timer->deleteLater();
    });
    timer->start(10);
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

class LabelTemplatesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testenv::App> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;

    TCDSetup& setup() { return m_app->setup(); }
    QString path(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_app = std::make_unique<testenv::App>();
        m_dir = std::make_unique<QTemporaryDir>();
        setup().eLabels->setText(m_dir->path());
    }

    void cleanup()
    {
        m_app.reset();
        m_dir.reset();
    }

    void newFileHoldsExactlyTheTemplateKeys()
    {
        setEveryControl(setup(), m_app->main(), 1);
        setup().cbMVorlagen->setChecked(false);
        program().SelPrinter = false;
        program().setPrinterName(QStringLiteral("Laser Büro"));
        setup().SaveFileVariables(path("neu.lab"));
        const QByteArray expected
            = "[CB]\r\ncbUFront=0\r\ncbUBack=1\r\ncbUDouble=0\r\ncbSecFront=1\r\ncbDouble=0\r\n"
              "cbCD=1\r\ncbSecImg=0\r\ncbAutosave=1\r\ncbAutoFormat=0\r\ncbKnickTrennVR=1\r\n"
              "cbKnickTrennD=0\r\ncbSelPrinter=0\r\n"
              "\r\n[Settings]\r\nORand=5\r\nLRand=6\r\nORand2=7\r\nLRand2=8\r\nLRand2Frnt=9\r\n"
              "ORand2Frnt=10\r\nCDOben=11\r\nCDLeft=12\r\nCDOben2=13\r\nCDLeft2=14\r\nLRandD=15\r\n"
              "ORandD=16\r\nDVDOben=17\r\nDVDLeft=18\r\ncbDVD=0\r\nVHSOben=19\r\nVHSLeft=20\r\n"
              "cbVHS=1\r\nCDRund=0\r\nCDLoch=41\r\n"
              "\r\n[Printer]\r\nDrucker=Laser B\xfcro\r\n";
        QCOMPARE(readFile(path("neu.lab")), expected);
    }

    void loadBringsBackEveryControl()
    {
        setup().cbMVorlagen->setChecked(true);
        setEveryControl(setup(), m_app->main(), 2);
        setup().SaveFileVariables(path("a.lab"));
        setEveryControl(setup(), m_app->main(), 3);
        setup().LoadFileVariables(path("a.lab"));
        for (int i = 0; i < kChecks.size(); ++i)
            QCOMPARE(check(setup(), kChecks[i])->isChecked(), i % 2 == 0);
        for (int i = 0; i < kPositions.size(); ++i)
            QCOMPARE(spin(setup(), kPositions[i])->value(), 15 + i);
        for (int i = 0; i < kSizes.size(); ++i)
            QCOMPARE(spin(setup(), kSizes[i])->value(), 3 + i);
        QVERIFY(m_app->main().cbDouble->isChecked());
        QVERIFY(!m_app->main().cbCD->isChecked());
        QCOMPARE(program().printerName(), QStringLiteral("Drucker 2"));
    }

    void emptyFileLoadsDefaults()
    {
        setup().cbMVorlagen->setChecked(true);
        setEveryControl(setup(), m_app->main(), 1);
        setup().cbAutoFormat->setChecked(true);
        m_app->main().setRecognitionChecked(false);
        writeFile(path("leer.lab"), "");
        setup().LoadFileVariables(path("leer.lab"));
        const QStringList ticked{"cbUFront",      "cbUBack",      "cbUDouble",
                                 "cbAutosave",    "cbAutoFormat", "cbKnickTrennVR",
                                 "cbKnickTrennD", "cbUDVD",       "cbUVHS"};
        for (const QString& name : kChecks)
            QCOMPARE(check(setup(), name)->isChecked(), ticked.contains(name));
        for (const QString& name : kPositions)
            QCOMPARE(spin(setup(), name)->value(), 0);
        for (int i = 0; i < kSizes.size(); ++i)
            QCOMPARE(spin(setup(), kSizes[i])->value(), kStandardSizes[i]);
        QVERIFY(!m_app->main().cbDouble->isChecked());
        QVERIFY(!m_app->main().cbCD->isChecked());
        QCOMPARE(program().printerName(), QString());
        QVERIFY(m_app->main().recognitionChecked());
    }

    void roundLabelTravelsWithTheTemplate()
    {
        setup().cbCDRund->setChecked(true);
        setup().spMCDLoch->setValue(36);
        setup().SaveFileVariables(path("rund.lab"));
        QVERIFY(readFile(path("rund.lab")).contains("cbVHS=1\r\nCDRund=1\r\nCDLoch=36\r\n"));

        setup().cbCDRund->setChecked(false);
        setup().spMCDLoch->setValue(0);
        setup().LoadFileVariables(path("rund.lab"));
        QVERIFY(setup().cbCDRund->isChecked());
        QCOMPARE(setup().spMCDLoch->value(), 36);

        // A template from before round labels loads their defaults.
        writeFile(path("alt.lab"), "[Settings]\r\nCDOben=12\r\nCDLeft=50\r\ncbVHS=1\r\n");
        setup().LoadFileVariables(path("alt.lab"));
        QVERIFY(!setup().cbCDRund->isChecked());
        QCOMPARE(setup().spMCDLoch->value(), 41);
        QCOMPARE(setup().spCDTop->value(), 12);
    }

    void integerValues_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("hexadecimal") << QByteArray("0x14") << 20;
        QTest::newRow("negative") << QByteArray("-7") << -7;
        QTest::newRow("not a number") << QByteArray("zwölf") << 0;
    }

    void integerValues()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        setup().spTop->setValue(99);
        writeFile(path("zahl.lab"), "[settings]\r\noRand=" + text + "\r\n");
        setup().LoadFileVariables(path("zahl.lab"));
        QCOMPARE(setup().spTop->value(), value);
    }

    void sizesOnlyWhileMVorlagenTicked()
    {
        writeFile(path("gross.lab"), "[Masse]\r\nRB=999\r\nCD=50\r\n");
        setup().cbMVorlagen->setChecked(false);
        setup().LoadFileVariables(path("gross.lab"));
        QCOMPARE(setup().spMRB->value(), 152);
        QCOMPARE(setup().spMCD->value(), 117);

        setup().cbMVorlagen->setChecked(true);
        setup().LoadFileVariables(path("gross.lab"));
        QCOMPARE(setup().spMRB->value(), 160);
        QCOMPARE(setup().spMCD->value(), 50);
    }

    void updateKeepsUnknownKeysAndOldSizes()
    {
        writeFile(path("alt.lab"),
                  "; eigene Notiz\r\n[CB]\r\ncbUFront=0\r\nEigen=abc\r\n"
                  "[Masse]\r\nRB=100\r\n[Extra]\r\nx=y\r\n");
        setup().LoadFileList();
        select(setup(), "alt.lab");
        setup().cbMVorlagen->setChecked(false);
        setup().spTop->setValue(33);
        setup().bUpdateLabel->click();

        const QStringList lines = QString::fromLatin1(readFile(path("alt.lab"))).split("\r\n");
        QCOMPARE(lines.mid(0, 4),
                 QStringList({"; eigene Notiz", "[CB]", "cbUFront=1", "Eigen=abc"}));
        const qsizetype masse = lines.indexOf("[Masse]");
        QCOMPARE(lines.mid(masse, 4), QStringList({"[Masse]", "RB=100", "[Extra]", "x=y"}));
        QVERIFY(lines.indexOf("[Settings]") > masse + 3);
        QVERIFY(lines.indexOf("[Printer]") > lines.indexOf("[Settings]"));
        QVERIFY(lines.contains("ORand=33"));
        QCOMPARE(lines.count("cbUFront=1"), 1);
    }

    void failedWriteShowsErrorAndKeepsEverything()
    {
        TCDSetup dialog(TCDSetup::Role::Dialog, m_app->main(), m_app->main(), &m_app->main());
        writeFile(path("vorhanden.lab"), "[CB]\r\n");
        writeFile(path("kein Ordner"), "");
        dialog.show();
        dialog.eLabels->setText(m_dir->path());
        dialog.LoadFileList();
        writeFile(path("spaeter.lab"), "");

        const QString target = QDir(path("kein Ordner")).filePath("neu.lab");
        dialog.runTemplateSaveDialog = [&] { return target; };
        SeenBox seen;
        answerNextBox(QMessageBox::Ok, &seen);
        dialog.bSave->click();
        QCOMPARE(seen.text, "nach " + target + " kann nicht geschrieben werden");
        QVERIFY(dialog.isVisible());
        QCOMPARE(listEntries(dialog), QStringList{"vorhanden.lab"});

        // A file too large to be a template is never rewritten.
        const QByteArray big(2 * 1024 * 1024, 'x');
        writeFile(path("vorhanden.lab"), big);
        select(dialog, "vorhanden.lab");
        answerNextBox(QMessageBox::Ok, &seen);
        dialog.bUpdateLabel->click();
        QCOMPARE(seen.text, "nach " + path("vorhanden.lab") + " kann nicht geschrieben werden");
        QCOMPARE(readFile(path("vorhanden.lab")), big);
    }

    void saveWritesChosenFileAndRereadsList()
    {
        setup().LoadFileList();
        setup().runTemplateSaveDialog = [] { return QString(); };
        setup().bSave->click();
        QCOMPARE(setup().ListView->count(), 0);

        setup().runTemplateSaveDialog = [this] { return path("neu.lab"); };
        setup().Speichern1->trigger();
        QVERIFY(readFile(path("neu.lab")).startsWith("[CB]\r\ncbUFront="));
        QCOMPARE(listEntries(setup()), QStringList{"neu.lab"});
    }

    void deleteAsksFirst()
    {
        writeFile(path("x.lab"), "");
        writeFile(path("y.lab"), "");
        setup().LoadFileList();
        select(setup(), "x.lab");

        SeenBox seen;
        answerNextBox(QMessageBox::No, &seen);
        setup().bDeleteLabel->click();
        QCOMPARE(seen.title, QStringLiteral("Bestätigung"));
        QCOMPARE(seen.text, QStringLiteral("Möchten Sie die Vorlage : x.lab wirklich löschen?"));
        QVERIFY(QFile::exists(path("x.lab")));
        QCOMPARE(listEntries(setup()), QStringList({"x.lab", "y.lab"}));

        QStringList menu;
        for (QAction* action : setup().PopupMenu1->actions())
            menu << action->text();
        QCOMPARE(menu, QStringList({"Laden", "Speichern", "Aktualisieren", "Entfernen"}));
        setup().confirmTemplateDelete = [](const QString&) { return true; };
        setup().Entfernen1->trigger();
        QVERIFY(!QFile::exists(path("x.lab")));
        QCOMPARE(listEntries(setup()), QStringList{"y.lab"});
    }

    void listShowsTemplatesWithSelectionMark()
    {
        for (const char* name : {"b.lab", "a.lab", "notiz.txt"})
            writeFile(path(name), "[Settings]\r\nORand=1\r\n");
        QVERIFY(QDir(m_dir->path()).mkdir("ordner.lab"));
        setup().LoadFileList();
        QCOMPARE(listEntries(setup()), QStringList({"a.lab", "b.lab", "ordner.lab"}));
        QCOMPARE(setup().SelItem(), -1);
        QVERIFY(!setup().bLoadLabel->isEnabled() && !setup().bDeleteLabel->isEnabled());

        select(setup(), "b.lab");
        QCOMPARE(setup().SelItem(), 1);
        QVERIFY(setup().bLoadLabel->isEnabled() && setup().bUpdateLabel->isEnabled());
        const QImage marked = iconImage(templateIcon(TemplateIcon::SelectedTemplate));
        const QImage plain = iconImage(templateIcon(TemplateIcon::Template));
        QVERIFY(marked != plain);
        QCOMPARE(iconImage(setup().ListView->item(1)->icon()), marked);
        QCOMPARE(iconImage(setup().ListView->item(0)->icon()), plain);

        // A folder named like a template is listed, but loading it changes nothing.
        select(setup(), "ordner.lab");
        setup().spTop->setValue(77);
        setup().Laden1->trigger();
        setup().LoadFileVariables(path("fehlt.lab"));
        QCOMPARE(setup().spTop->value(), 77);

        setup().eLabels->setText(path("fehlt"));
        setup().LoadFileList();
        QCOMPARE(setup().ListView->count(), 0);
        QVERIFY(!setup().bUpdateLabel->isEnabled());
    }

    void doubleClickLoadsSelectedEntry()
    {
        writeFile(path("t.lab"), "[Settings]\r\nORand=42\r\n");
        setup().show();  // reads the store, the templates folder too
        setup().eLabels->setText(m_dir->path());
        setup().PageControl->setCurrentIndex(TCDSetup::PageTemplates);
        setup().LoadFileList();
        QWidget* viewport = setup().ListView->viewport();
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(200, 190));
        QCOMPARE(setup().spTop->value(), 10);

        const QPoint entry = setup().ListView->visualItemRect(setup().ListView->item(0)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, entry);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, entry);
        QCOMPARE(setup().spTop->value(), 42);
    }

    void readyTemplatesFitOnA4()
    {
        QDir(defaultTemplatesFolder()).removeRecursively();
        setup().eLabels->setText(defaultTemplatesFolder());
        setup().cbMVorlagen->setChecked(true);
        setup().LoadFileList();
        QCOMPARE(setup().ListView->count(), 12);
        TCDSetup& s = setup();
        auto v = [](const SpinEdit* field) { return field->value(); };
        for (const QString& caption : listEntries(s)) {
            select(s, caption);
            s.bLoadLabel->click();
            const int side = v(s.spMV), cd = v(s.spMCD);
            // left, top, width, height, paper width, paper height
            const QList<std::array<int, 6>> items{
                {v(s.spLeft), v(s.spTop), side, side, 210, 297},
                {v(s.spLeft2), v(s.spTop2), v(s.spMRB), v(s.spMRH), 210, 297},
                {v(s.spLeft2front), v(s.spTop2Front), side, side, 210, 297},
                {v(s.spCDLeft), v(s.spCDTop), cd, cd, 210, 297},
                {v(s.spCDLeft2), v(s.spCDTop2), cd, cd, 210, 297},
                {v(s.spDleft), v(s.spDTop), v(s.spMDB), v(s.spMDH), 297, 210},
                {v(s.spDVDLeft), v(s.spDVDTop), v(s.spMDVDB), v(s.spMDVDH), 297, 210},
                {v(s.spVHSLeft), v(s.spVHSTop), v(s.spMVHSB), v(s.spMVHSH), 297, 210},
            };
            for (const auto& [left, top, width, height, paperWidth, paperHeight] : items)
                QVERIFY2(left >= 5 && top >= 5 && left + width <= paperWidth - 5
                             && top + height <= paperHeight - 5,
                         qPrintable(caption));
            QVERIFY(v(s.spTop) + side <= v(s.spTop2) && v(s.spCDTop) + cd <= v(s.spCDTop2));
        }
        select(s, "A4 CD-Labels 117 mm.lab");
        s.bLoadLabel->click();
        QVERIFY(m_app->main().cbCD->isChecked());

        // Copies stay writable, and a deleted one is not brought back.
        s.SaveFileVariables(QDir(defaultTemplatesFolder()).filePath("A4 CD-Labels 117 mm.lab"));
        QFile::remove(QDir(defaultTemplatesFolder()).filePath("A4 quer DVD-Hülle.lab"));
        s.LoadFileList();
        QCOMPARE(s.ListView->count(), 11);
    }

    void folderOfAnEarlierVersionGetsOnlyTheNewTemplates()
    {
        // An earlier version made the folder with its four templates; the
        // user deleted one and keeps one of their own.
        QDir(defaultTemplatesFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(defaultTemplatesFolder()));
        const QDir folder(defaultTemplatesFolder());
        for (const char* name : {"A4 CD-Labels 117 mm.lab", "A4 quer DVD-Hülle.lab",
                                 "A4 quer Inlay gefaltet.lab", "Eigene.lab"})
            writeFile(folder.filePath(name), "[Settings]\r\nORand=3\r\n");
        setup().eLabels->setText(defaultTemplatesFolder());
        setup().LoadFileList();
        const QStringList listed = listEntries(setup());
        QVERIFY(!listed.contains("A4 Vorder- und Rückseite.lab"));
        QVERIFY(listed.contains("A4 quer Blu-ray-Hülle.lab")
                && listed.contains("A4 CD-Labels Herma 5115.lab"));
        QCOMPARE(listed.size(), 4 + 8);
        // Their own files are kept as they were.
        QCOMPARE(QFile(folder.filePath("A4 quer DVD-Hülle.lab")).size(), 21);

        QFile::remove(folder.filePath("A4 quer Blu-ray-Hülle.lab"));
        setup().LoadFileList();
        QCOMPARE(listEntries(setup()).size(), 11);
    }
};

SLEEVIX_TEST_MAIN(LabelTemplatesTest)
#include "tst_label_templates.moc"
