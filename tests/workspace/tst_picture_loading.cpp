#include "model/cover_settings.h"
#include "model/program_values.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/status_bar.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const QString kInvalid = QStringLiteral("Ungültiges Format...");

// Picture files made for the test: their names say their shape.
class PictureFiles {
public:
    QString make(const QString& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(40, 120, 200));
        const QString path = m_dir.filePath(name);
        image.save(path);
        return path;
    }
    QString text(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path;
    }

private:
    QTemporaryDir m_dir;
};

QSize slotSize(TSleevix& w, int slot)
{
    return w.slotPicture(slot).size();
}

}  // namespace

class PictureLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void recognitionPutsSquarePicturesInFront()
    {
        testenv::App app;
        TSleevix& w = app.main();
        PictureFiles files;
        const QString square = files.make("square.bmp", 100, 100);
        const QString almost = files.make("almost.jpg", 100, 99);
        w.OpenImage(2, square);
        w.OpenImage(1, almost);
        QCOMPARE(slotSize(w, 1), QSize(100, 100));
        QCOMPARE(slotSize(w, 2), QSize(100, 99));
        QCOMPARE(w.statusText(1), square);
        QCOMPARE(w.statusText(2), almost);
        QVERIFY(w.sbTrash1->isEnabled());
        QVERIFY(w.sbTrash2->isEnabled());
        QCOMPARE(w.openDialogFileName(), almost);
    }

    void twoChosenFilesFollowTheirShapeOrTheAskedSlot()
    {
        testenv::App app;
        TSleevix& w = app.main();
        PictureFiles files;
        const QString first = files.make("first.bmp", 80, 80);
        const QString second = files.make("second.bmp", 60, 60);
        const QString wide = files.make("wide.bmp", 90, 40);
        w.runOpenDialog = [&] { return QStringList{first, second, wide}; };

        w.FDblClick(2);  // with recognition: both square, the second wins slot 1
        QCOMPARE(slotSize(w, 1), QSize(60, 60));
        QCOMPARE(w.statusText(1), second);
        QVERIFY(!w.Image2->hasPicture());

        app.settings().setTicked(Check::cbAutoFormat, false);
        w.FDblClick(2);  // direct: first to the asked slot, second to the other
        QCOMPARE(slotSize(w, 2), QSize(80, 80));
        QCOMPARE(slotSize(w, 1), QSize(60, 60));
        QCOMPARE(w.statusText(2), first);

        app.settings().setTicked(Check::cbAutoFormat, true);
        w.cbCD->setChecked(true);  // recognition never applies to CD labels
        w.runOpenDialog = [&] { return QStringList{wide}; };
        w.FDblClick(1);
        QCOMPARE(slotSize(w, 1), QSize(90, 40));
    }

    void invalidFilesEmptyTheNamedSlot()
    {
        testenv::App app;
        TSleevix& w = app.main();
        PictureFiles files;
        const QString good = files.make("good.bmp", 50, 70);
        const QString square = files.make("square.bmp", 50, 50);
        const QString notes = files.text("notes.txt", "keine Bilddaten");
        const QString broken
            = files.text("broken.jpg", QByteArray("\xFF\xD8\xFF\xE0", 4) + "kaputt");

        w.OpenImage(1, square);
        w.runOpenDialog = [&] { return QStringList{broken, good}; };
        w.FDblClick(1);  // corrupt first file empties slot 1, whatever its shape
        QVERIFY(!w.Image1->hasPicture());
        QCOMPARE(w.statusText(1), kInvalid);
        QVERIFY(!w.sbTrash1->isEnabled());
        QCOMPARE(slotSize(w, 2), QSize(50, 70));
        QCOMPARE(w.statusText(2), good);

        w.OpenImage(2, notes);  // no picture format claims .txt
        QVERIFY(!w.Image2->hasPicture());
        QCOMPARE(w.statusText(2), kInvalid);
        QVERIFY(!w.sbTrash2->isEnabled());
    }

    void unreadableFileLeavesTheSlotAsItWas()
    {
        testenv::App app;
        TSleevix& w = app.main();
        PictureFiles files;
        const QString square = files.make("square.bmp", 30, 30);
        w.OpenImage(1, square);
        const QString gone = square + ".weg.bmp";
        app.settings().setTicked(Check::cbAutoFormat, false);
        w.OpenImage(1, gone);
        QCOMPARE(slotSize(w, 1), QSize(30, 30));
        QCOMPARE(w.statusText(1), QString("Datei kann nicht gelesen werden: %1").arg(gone));
        QVERIFY(w.sbTrash1->isEnabled());
    }

    void realJpegFilesLoadThroughTheDialog()
    {
        testenv::App app;
        TSleevix& w = app.main();
        const QString progressive
            = testenv::dataFile("pictures/valid/jpeg/im_progressive_400x300.jpeg");
        const QString truncated
            = testenv::dataFile("pictures/invalid/jpeg/truncated_half_progressive.jpg");
        QVERIFY(QFile::exists(progressive));
        w.runOpenDialog = [&] { return QStringList{progressive}; };
        w.bFront->click();
        QVERIFY(w.Image1->hasPicture() || w.Image2->hasPicture());
        QVERIFY(w.slotPicture(1).isJpeg() || w.slotPicture(2).isJpeg());

        const Picture before = w.slotPicture(2);
        w.OpenImage(1, truncated);  // partly shown while decoding, then refused
        QCOMPARE(w.statusText(1), kInvalid);
        QVERIFY(!w.Image1->hasPicture());
        QVERIFY(w.slotPicture(2).sharesDataWith(before));
    }

    // Every way to the open dialog loads the first chosen file into the slot
    // it stands for (recognition off).
    void everyLoadCommandAsksForItsSlot_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("cdLayout");
        QTest::addColumn<int>("slot");
        QTest::newRow("double click on the front slot") << "Image1" << false << 1;
        QTest::newRow("double click on the back slot") << "Image2" << false << 2;
        QTest::newRow("double click on the first disc outline") << "Image3" << true << 1;
        QTest::newRow("double click on the second disc outline") << "Image4" << true << 2;
        QTest::newRow("front menu, Bild laden") << "Bildladen2" << false << 1;
        QTest::newRow("back menu, Bild laden") << "Bildladen1" << false << 2;
        QTest::newRow("front button") << "bFront" << false << 1;
        QTest::newRow("back button") << "bBack" << false << 2;
        QTest::newRow("menu CD") << "mCD" << false << 1;
        QTest::newRow("menu DVD") << "mDVD" << false << 1;
    }

    void everyLoadCommandAsksForItsSlot()
    {
        QFETCH(QString, command);
        QFETCH(bool, cdLayout);
        QFETCH(int, slot);
        testenv::App app;
        TSleevix& w = app.main();
        w.cbCD->setChecked(cdLayout);
        w.show();
        program().AutoFormat = false;
        PictureFiles files;
        const QString square = files.make("square.bmp", 20, 20);
        w.runOpenDialog = [&] { return QStringList{square}; };
        if (auto* view = w.findChild<ImageView*>(command))
            QTest::mouseDClick(view, Qt::LeftButton);
        else if (auto* button = w.findChild<QPushButton*>(command))
            button->click();
        else
            w.findChild<QAction*>(command)->trigger();
        QCOMPARE(w.statusText(slot), square);
        QVERIFY(w.statusText(3 - slot).isEmpty());
    }

    // Files named on the command line load once the first activation has
    // restored the layout, as a choice of the front panel's open dialog.
    void commandLineFilesLoadAfterTheFirstActivation_data()
    {
        QTest::addColumn<bool>("recognition");
        QTest::addColumn<bool>("savedCdLayout");
        QTest::addColumn<QStringList>("names");   // relative to the working folder
        QTest::addColumn<QStringList>("status");  // of panels 1 and 2; {dir} the working folder
        const QStringList wideSquare{"wide.bmp", "square.bmp"};
        QTest::newRow("recognition: the shape decides")
            << true << false << wideSquare << QStringList{"{dir}/square.bmp", "{dir}/wide.bmp"};
        QTest::newRow("without: the first in front, the second at the back")
            << false << false << wideSquare << QStringList{"{dir}/wide.bmp", "{dir}/square.bmp"};
        QTest::newRow("the restored CD layout loads directly")
            << true << true << wideSquare << QStringList{"{dir}/wide.bmp", "{dir}/square.bmp"};
        QTest::newRow("only the first two")
            << false << false << QStringList{"square.bmp", "wide.bmp", "third.bmp"}
            << QStringList{"{dir}/square.bmp", "{dir}/wide.bmp"};
        QTest::newRow("not a picture") << true << false << QStringList{"notes.txt", "wide.bmp"}
                                       << QStringList{kInvalid, "{dir}/wide.bmp"};
        QTest::newRow("no such file")
            << true << false << QStringList{"fehlt.jpg"}
            << QStringList{"Datei kann nicht gelesen werden: {dir}/fehlt.jpg", ""};
    }

    void commandLineFilesLoadAfterTheFirstActivation()
    {
        QFETCH(bool, recognition);
        QFETCH(bool, savedCdLayout);
        QFETCH(QStringList, names);
        QFETCH(QStringList, status);
        QTemporaryDir folder;
        const QString dir = QDir(folder.path()).canonicalPath();
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir));
        const auto make = [&](const char* name, int width, int height) {
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            image.save(QDir(dir).filePath(name));
        };
        make("square.bmp", 40, 40);
        make("wide.bmp", 60, 30);
        make("third.bmp", 50, 50);
        QFile notes(QDir(dir).filePath("notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("kein Bild") > 0);
        notes.close();

        testenv::App app(QStringList{"sleevix"} + names);
        SettingsStore::user().writeBool("AutoFormat", recognition);
        SettingsStore::user().writeBool("CD", savedCdLayout);
        app.restart();
        TSleevix& w = app.main();
        w.show();
        QVERIFY(w.statusText(1).isEmpty());  // nothing before the first activation
        status.replaceInStrings("{dir}", dir);
        QTRY_COMPARE(w.statusText(1), status.at(0));
        QCOMPARE(w.statusText(2), status.at(1));
        QCOMPARE(w.cbCD->isChecked(), savedCdLayout);
        QCOMPARE(w.sbTrash2->isEnabled(), w.Image2->hasPicture());
        QVERIFY(QDir::setCurrent(before));
    }

    void recognitionToggleWritesOnlyWithAutoSave()
    {
        testenv::App app;
        TSleevix& w = app.main();
        app.settings().setTicked(Check::cbAutosave, false);
        w.popupItem(1, TSleevix::kRecognitionItem)->trigger();
        QVERIFY(!program().AutoFormat);
        QVERIFY(!app.settings().ticked(Check::cbAutoFormat));
        QVERIFY(!w.popupItem(2, TSleevix::kRecognitionItem)->isChecked());
        QVERIFY(!SettingsStore::user().exists("AutoFormat"));

        app.settings().setTicked(Check::cbAutosave, true);
        w.popupItem(2, TSleevix::kRecognitionItem)->trigger();
        QVERIFY(program().AutoFormat);
        QVERIFY(w.popupItem(1, TSleevix::kRecognitionItem)->isChecked());
        QVERIFY(SettingsStore::user().readBool("AutoFormat"));
    }
};

SLEEVIX_TEST_MAIN(PictureLoadingTest)
#include "tst_picture_loading.moc"
