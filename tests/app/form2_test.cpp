#include "app/form2.h"
#include "app/modal_dialogs.h"
#include "start/finding_aim.h"
#include "tests/tools/tool_runner.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QSettings>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <csignal>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Lets failed expectations print texts rather than bytes.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace
{

// One application for the whole test program, on the offscreen platform, so
// that windows can be built and shown without a display, or on the platform
// KV_TEST_PLATFORM names.
class QtEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("KV_TEST_PLATFORM", "offscreen").toUtf8());
        static int argc = 1;
        static char name[] = "kv_app_tests";
        static char* argv[] = {name, nullptr};
        Application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { Application.reset(); }

private:
    std::unique_ptr<QApplication> Application;
};

const auto* const Registered = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString ExampleFile(const char* name)
{
    return QString(qgetenv("KV_SOURCE_DIR")) + "/examples/house/" + name;
}

QString GuideFile(const char* name)
{
    return QString(qgetenv("KV_SOURCE_DIR")) + "/docs/guide/" + name;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The picture as the window shows it: alpha ignored.
uint32_t Opaque(uint32_t pixel)
{
    return pixel | 0xFF000000u;
}

bool SamePicture(const TPicture& a, const TPicture& b)
{
    for (size_t i = 0; i < a.Pixels.size(); ++i)
        if (Opaque(a.Pixels[i]) != Opaque(b.Pixels[i]))
            return false;
    return true;
}

// The picture the form's render state gives with the shading asked for.
TPicture RenderedWith(const TForm2& form, bool flat)
{
    TRenderState render = form.State.Render;
    render.FlatShading = flat;
    TGLCanvasContext context;
    TPicture picture;
    PaintFramedWhite(picture);
    RenderView(context, picture, render);
    return picture;
}

bool ShowsPicture(const TForm2& form)
{
    const QImage shown = form.Image1.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.size() != QSize(TPicture::WindowWidth, TPicture::WindowHeight))
        return false;
    for (int y = 0; y < form.State.Picture.Height; ++y)
        for (int x = 0; x < form.State.Picture.Width; ++x)
            if (shown.pixel(x, y) != Opaque(form.State.Picture.Pixels[y * form.State.Picture.Width + x]))
                return false;
    return true;
}

// The picture the form holds, as an image.
QImage PictureOf(const TForm2& form)
{
    const TPicture& picture = form.State.Picture;
    QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            image.setPixel(x, y, Opaque(picture.Pixels[size_t(y) * picture.Width + x]));
    return image;
}

// The first line that Ctrl+Shift+C puts on the clipboard: the companion's options.
QString CopiedOptions(TForm2& form)
{
    QTest::keyClick(&form.Image1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    return QGuiApplication::clipboard()->text().section('\n', 0, 0);
}

// The picture the companion draws of the drawing in folder with options.
QImage CompanionPicture(const QString& folder, const QString& options)
{
    const QString picture = folder + "/companion.png";
    QFile::remove(picture);
    const TToolRun run =
        RunTool(folder, options.split(' ', Qt::SkipEmptyParts) + QStringList{"--output", picture, folder});
    EXPECT_EQ(run.Status, 0) << run.Err;
    return QImage(picture).convertToFormat(QImage::Format_RGB32);
}

// Checks or unchecks a layer's box in the side panel, as a click does.
void SetLayerShown(TForm2& form, int slot, bool shown)
{
    QListWidget& list = form.SidePanel.LayerList;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->data(Qt::UserRole).toInt() == slot)
            list.item(row)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

bool LayerChecked(const TForm2& form, int slot)
{
    const QListWidget& list = form.SidePanel.LayerList;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->data(Qt::UserRole).toInt() == slot)
            return list.item(row)->checkState() == Qt::Checked;
    return false;
}

// Shows the form, active, with the picture drawn.
void ShowActive(TForm2& form)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Waits for the full picture of the view, which follows a move on the event loop.
void Settle(const TForm2& form)
{
    QTRY_VERIFY_WITH_TIMEOUT(form.ShowsFullPicture(), 20000);
}

// Each test runs in a folder of its own holding the example drawing, with the
// error box and the save dialog replaced by recorders.
class Form2Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Work.isValid());
        OldFolder = QDir::currentPath();
        QDir::setCurrent(Work.path());
        for (const char* name : {"material.txt", "material2.txt", "temp.txt"})
            ASSERT_TRUE(QFile::copy(ExampleFile(name), Work.filePath(name))) << name;
        OldShowErrorBox = ShowErrorBox;
        OldRunSaveDialog = RunSaveDialog;
        ShowErrorBox = [this](QWidget*, const QString& text) { Errors.push_back(text); };
        RunSaveDialog = [this](QFileDialog& dialog)
        {
            if (!SaveAs)
                return false;
            dialog.selectFile(*SaveAs);
            return true;
        };
    }

    void TearDown() override
    {
        ShowErrorBox = OldShowErrorBox;
        RunSaveDialog = OldRunSaveDialog;
        QDir::setCurrent(OldFolder);
    }

    QTemporaryDir Work;
    QString OldFolder;
    std::function<void(QWidget*, const QString&)> OldShowErrorBox;
    std::function<bool(QFileDialog&)> OldRunSaveDialog;
    QStringList Errors;
    std::optional<QString> SaveAs; // the name the save dialog "types"; none cancels
};

// The window's controls as they must stand: kind, holder, place (left, top,
// width and height within the holder), caption, hint and tooltip.
struct ControlPlace
{
    const char* Name;
    const char* Kind;
    QWidget* Holder;
    QRect Place;
    QString Caption;
    QString Hint;
    QString ToolTip;
};

std::vector<ControlPlace> ControlPlaces(TForm2& form)
{
    return {
        {"Panel1", "QFrame", &form, {4, 0, 173, 41}, "", "", ""},
        {"StaticText17", "QLabel", &form.Panel1, {5, 8, 74, 17}, "表示方法：", "", ""},
        {"B_flat",
         "QToolButton",
         &form.Panel1,
         {112, 4, 23, 22},
         "",
         "フラット|フラットシェーディング",
         "フラット"},
        {"B_grad",
         "QToolButton",
         &form.Panel1,
         {140, 4, 23, 22},
         "",
         "スムース|スムースシェーディング",
         "スムース"},
        {"Button1",
         "QPushButton",
         &form,
         {184, 8, 87, 25},
         "画像の保存",
         "画像の保存|BMP形式で画像を保存します",
         ""},
        {"Button2", "QPushButton", &form, {280, 8, 75, 25}, "閉じる", "閉じる|終了します", ""},
        {"B_walk",
         "QToolButton",
         &form,
         {364, 8, 25, 25},
         "歩",
         "歩行|歩行モード: W A S D・矢印で歩き、ドラッグで向きを変え、Page Up・Page Down "
         "で目の高さを変えます (V、Esc "
         "で終了)",
         "歩行"},
        {"B_help",
         "QToolButton",
         &form,
         {393, 8, 25, 25},
         "?",
         "操作説明|マウスとキーの操作を表示します (F1)",
         "操作説明"},
        {"ScrollBox1", "QScrollArea", &form, {4, 44, 409, 309}, "", "", ""},
        {"Image1", "QLabel", form.ScrollBox1.viewport(), {3, 3, 400, 300}, "", "", ""},
        {"StatusBar1", "QStatusBar", &form, {0, 364, 423, 19}, "", "", ""},
    };
}

// Where a control draws its caption: inside the button's bevel, or inside
// the frame of any other control.
QRect CaptionArea(const QWidget& control)
{
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
    {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return control.contentsRect();
}

TEST_F(Form2Test, ControlsHaveTheirKindsPlacesCaptionsAndHints)
{
    TForm2 form;
    for (const ControlPlace& expected : ControlPlaces(form))
    {
        SCOPED_TRACE(expected.Name);
        auto* control = form.findChild<QWidget*>(expected.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->inherits(expected.Kind));
        EXPECT_EQ(control->parentWidget(), expected.Holder);
        EXPECT_EQ(control->geometry(), expected.Place);
        EXPECT_EQ(control->property("text").toString(), expected.Caption);
        EXPECT_EQ(control->statusTip(), expected.Hint);
        EXPECT_EQ(control->toolTip(), expected.ToolTip);
    }
    EXPECT_EQ(form.StatusBar1.currentMessage(), "");
    EXPECT_FALSE(form.StatusBar1.isSizeGripEnabled());
    EXPECT_FALSE(form.SaveDialog1.isVisible());
}

// Shown, each control lies wholly inside what its holder shows (the picture
// inside the scroll box's frame, unscrolled), clear of the controls beside
// it, with its caption or button image whole.
TEST_F(Form2Test, ControlsDoNotOverlapAndShowTheirCaptionsWhole)
{
    TForm2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const std::vector<ControlPlace> controls = ControlPlaces(form);
    for (const ControlPlace& expected : controls)
    {
        SCOPED_TRACE(expected.Name);
        const auto* control = form.findChild<QWidget*>(expected.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(expected.Holder->contentsRect().contains(control->geometry()))
            << "holder's inside " << expected.Holder->contentsRect().width() << " by "
            << expected.Holder->contentsRect().height();
        for (const ControlPlace& other : controls)
        {
            if (&other != &expected && other.Holder == expected.Holder)
            {
                EXPECT_FALSE(control->geometry().intersects(form.findChild<QWidget*>(other.Name)->geometry()))
                    << "overlaps " << other.Name;
            }
        }

        if (!expected.Caption.isEmpty())
        {
            const QFontMetrics metrics(control->font());
            const QRect area = CaptionArea(*control);
            EXPECT_LE(metrics.horizontalAdvance(expected.Caption), area.width());
            EXPECT_LE(metrics.height(), area.height());
        }
        if (const auto* button = qobject_cast<const QToolButton*>(control))
        {
            EXPECT_LE(button->iconSize().width(), button->contentsRect().width());
            EXPECT_LE(button->iconSize().height(), button->contentsRect().height());
        }
    }
}

TEST_F(Form2Test, WindowStartsAtItsSizeCaptionedAndSetInAJapaneseGothic)
{
    TForm2 form;
    EXPECT_EQ(form.windowTitle(), "Kestrelview");
    EXPECT_EQ(form.size(), QSize(423, 383));
    EXPECT_NE(form.minimumSize(), form.maximumSize());
    const QFontInfo font(form.font());
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_EQ(font.family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(form.Button2.font()).family(), "IPAGothic");
}

TEST_F(Form2Test, ShadingButtonsFormOneGroupAndRenderAgain)
{
    TForm2 form;
    ASSERT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
    const TPicture smooth = RenderedWith(form, false);
    const TPicture flat = RenderedWith(form, true);
    ASSERT_FALSE(SamePicture(smooth, flat)) << "the example must show a face of four or more corners";
    EXPECT_TRUE(form.B_grad.isChecked());
    EXPECT_FALSE(form.B_flat.isChecked());
    EXPECT_FALSE(form.State.Render.FlatShading);
    EXPECT_TRUE(SamePicture(form.State.Picture, smooth));
    EXPECT_TRUE(ShowsPicture(form));

    // Each click renders again, also when the button is already down: spoil
    // the picture first so that a missing render shows.
    struct Click
    {
        QToolButton* Button;
        bool FlatDown;
    };
    for (const Click click :
         {Click{&form.B_flat, true}, Click{&form.B_flat, true}, Click{&form.B_grad, false},
          Click{&form.B_grad, false}, Click{&form.B_flat, true}})
    {
        SCOPED_TRACE(click.Button->objectName().toStdString());
        std::fill(form.State.Picture.Pixels.begin(), form.State.Picture.Pixels.end(), 0xFF123456u);
        QTest::mouseClick(click.Button, Qt::LeftButton);
        EXPECT_EQ(form.B_flat.isChecked(), click.FlatDown);
        EXPECT_EQ(form.B_grad.isChecked(), !click.FlatDown);
        EXPECT_EQ(form.State.Render.FlatShading, click.FlatDown);
        EXPECT_TRUE(SamePicture(form.State.Picture, click.FlatDown ? flat : smooth));
        EXPECT_TRUE(ShowsPicture(form));
    }
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Form2Test, StatusLineShowsLongHintsOnceStarted)
{
    TForm2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    struct Hover
    {
        QWidget* Control;
        QString Status;
    };
    const Hover hovers[] = {
        {&form.Button2, "終了します"},
        {&form.Button1, "BMP形式で画像を保存します"},
        {&form.StaticText17, ""},
        {&form.B_flat, "フラットシェーディング"},
        {&form.Image1, ""},
        {&form.B_grad, "スムースシェーディング"},
    };
    for (const Hover& hover : hovers)
    {
        SCOPED_TRACE(hover.Control->objectName().toStdString());
        QTest::mouseMove(hover.Control);
        EXPECT_EQ(form.StatusBar1.currentMessage(), hover.Status);
    }
}

TEST_F(Form2Test, PlanWarningsShowInTheStatusLineUntilTheFirstHint)
{
    // A wall whose second end has no height mark; the house itself is clean.
    WriteAll("temp.txt", " 0 0 1000 0\nch 0 0 \"3,0\n");
    TForm2 form;
    EXPECT_EQ(form.StatusBar1.currentMessage(), "注意: 高さのない線端 1 (kestrelview-render --check で詳細)");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(&form.Button2);
    EXPECT_EQ(form.StatusBar1.currentMessage(), "終了します");
}

TEST_F(Form2Test, FailedStartShowsOneErrorAndTheFramedWhitePicture)
{
    struct Case
    {
        const char* Missing;
        QString Error;
    };
    for (const Case& failure : {Case{"temp.txt", "ファイル temp.txt は開けません."},
                                Case{"material.txt", "ファイル material.txt は開けません."}})
    {
        SCOPED_TRACE(failure.Missing);
        ASSERT_TRUE(QFile::remove(failure.Missing));
        Errors.clear();
        TForm2 form;
        EXPECT_EQ(Errors, QStringList{failure.Error});
        EXPECT_TRUE(form.ProgramFolder.empty());
        EXPECT_EQ(form.State.Render.BackColor, (std::array<int32_t, 3>{0, 0, 0}));
        EXPECT_TRUE(form.State.Render.DrawList.Faces.empty());

        TPicture framed;
        PaintFramedWhite(framed);
        EXPECT_TRUE(SamePicture(form.State.Picture, framed));
        EXPECT_EQ(Opaque(form.State.Picture.Pixels[0]), 0xFF000000u);
        EXPECT_EQ(Opaque(form.State.Picture.Pixels[150 * form.State.Picture.Width + 200]), 0xFFFFFFFFu);
        EXPECT_TRUE(ShowsPicture(form));

        // No long hints after a failed start.
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::mouseMove(&form.Button2);
        EXPECT_EQ(form.StatusBar1.currentMessage(), "");

        // A shading click renders with the start values: black, nothing drawn.
        QTest::mouseClick(&form.B_grad, Qt::LeftButton);
        for (uint32_t pixel : form.State.Picture.Pixels)
            ASSERT_EQ(Opaque(pixel), 0xFF000000u);
        EXPECT_TRUE(ShowsPicture(form));

        // F5 once the file is there finishes the start.
        ASSERT_TRUE(QFile::copy(ExampleFile(failure.Missing), failure.Missing));
        QTest::keyClick(form.windowHandle(), Qt::Key_F5);
        Settle(form);
        EXPECT_EQ(Errors, QStringList{failure.Error});
        EXPECT_EQ(form.ProgramFolder,
                  QFile::encodeName(QCoreApplication::applicationDirPath() + '/').toStdString());
        EXPECT_EQ(form.SaveDialog1.directory().absolutePath(), QCoreApplication::applicationDirPath());
        EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), ""));
        QStatusTipEvent hint(form.Button2.statusTip());
        QApplication::sendEvent(&form, &hint);
        EXPECT_EQ(form.StatusBar1.currentMessage(), "終了します");
    }
}

TEST_F(Form2Test, SaveDialogOffersBmpAndStartsInTheProgramFolder)
{
    TForm2 form;
    const QFileDialog& dialog = form.SaveDialog1;
    EXPECT_EQ(dialog.nameFilters(), QStringList{"BMP画像(*.bmp)"});
    EXPECT_EQ(dialog.defaultSuffix(), "bmp");
    EXPECT_EQ(dialog.directory().absolutePath(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(form.ProgramFolder, (QCoreApplication::applicationDirPath() + "/").toStdString());
}

TEST_F(Form2Test, SaveWritesThePictureAsA24BitBmpOrAPngByName)
{
    TForm2 form;
    QTest::mouseClick(&form.B_flat, Qt::LeftButton);
    struct Case
    {
        QString Typed;
        QString Written;
        const char* Format;
    };
    for (const Case& save : {Case{"picture", "picture.bmp", "BMP"}, Case{"shot.png", "shot.png", "PNG"}})
    {
        SCOPED_TRACE(save.Typed.toStdString());
        SaveAs = Work.filePath(save.Typed);
        QTest::mouseClick(&form.Button1, Qt::LeftButton);
        EXPECT_TRUE(Errors.isEmpty());
        const QByteArray bytes = ReadAll(Work.filePath(save.Written));
        if (save.Format == std::string("BMP"))
        {
            ASSERT_EQ(bytes.size(), 54 + 400 * 300 * 3);
            auto field = [&](int offset, int size)
            {
                int value = 0;
                for (int i = size - 1; i >= 0; --i)
                    value = value << 8 | uint8_t(bytes[offset + i]);
                return value;
            };
            EXPECT_EQ(bytes.left(2), "BM");
            EXPECT_EQ(field(18, 4), 400);
            EXPECT_EQ(field(22, 4), 300);
            EXPECT_EQ(field(28, 2), 24);
            EXPECT_EQ(field(30, 4), 0); // no compression
        }
        const QImage saved = QImage::fromData(bytes, save.Format).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(saved.size(), QSize(400, 300));
        for (int y = 0; y < form.State.Picture.Height; ++y)
            for (int x = 0; x < form.State.Picture.Width; ++x)
                ASSERT_EQ(saved.pixel(x, y),
                          Opaque(form.State.Picture.Pixels[y * form.State.Picture.Width + x]));
    }
}

// A size or four samples asked for in the dialog give the companion's
// picture of the same view at that size.
TEST_F(Form2Test, SaveAtAnotherSizeIsTheCompanionsPicture)
{
    TForm2 form;
    QTest::keyClick(&form.Image1, Qt::Key_Left);
    SaveAs = Work.filePath("large.png");
    RunSaveDialog = [this, &form](QFileDialog& dialog)
    {
        EXPECT_EQ(form.SaveWidth.value(), 400);
        EXPECT_EQ(form.SaveHeight.value(), 300);
        form.SaveWidth.setValue(320);
        form.SaveHeight.setValue(100);
        form.SaveSmooth.setChecked(true);
        dialog.selectFile(*SaveAs);
        return true;
    };
    QTest::mouseClick(&form.Button1, Qt::LeftButton);
    EXPECT_TRUE(Errors.isEmpty());
    const QImage saved(*SaveAs);
    ASSERT_EQ(saved.size(), QSize(320, 100));
    EXPECT_EQ(saved, CompanionPicture(Work.path(), CopiedOptions(form) + " --size=320x100 --samples=4"));
    // The picture shown stays as it was.
    EXPECT_EQ(form.State.Picture.Width, 400);
    EXPECT_EQ(form.State.Context.Samples, 1);
}

TEST_F(Form2Test, CancelledSaveWritesNothing)
{
    TForm2 form;
    const QStringList before = QDir(Work.path()).entryList(QDir::Files);
    QTest::mouseClick(&form.Button1, Qt::LeftButton);
    EXPECT_EQ(QDir(Work.path()).entryList(QDir::Files), before);
    EXPECT_TRUE(Errors.isEmpty());
}

// Keeps every file this process writes below limit bytes while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &Old);
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small = {limit, Old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }

private:
    rlimit Old = {};
    void (*OldHandler)(int) = nullptr;
};

TEST_F(Form2Test, FailedSaveKeepsTheOldFileAndSaysSo)
{
    TForm2 form;
    WriteAll(Work.filePath("plain.txt"), "not a folder");
    // Folders even root cannot write to: one that is a regular file, and /proc.
    for (const QString& path : {Work.filePath("plain.txt") + "/picture.bmp", QString("/proc/picture.bmp")})
    {
        SCOPED_TRACE(path.toStdString());
        Errors.clear();
        SaveAs = path;
        QTest::mouseClick(&form.Button1, Qt::LeftButton);
        EXPECT_EQ(Errors, QStringList{"ファイル " + path + " を作成できません."});
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(ReadAll(Work.filePath("plain.txt")), "not a folder");

    // A write that fails halfway, here at a file size limit, leaves the old
    // picture as it was and no half-written file beside it.
    const QString old = Work.filePath("old.bmp");
    WriteAll(old, "the picture saved before");
    const QStringList before = QDir(Work.path()).entryList(QDir::Files);
    Errors.clear();
    SaveAs = old;
    {
        FileSizeLimit limit(4096);
        QTest::mouseClick(&form.Button1, Qt::LeftButton);
    }
    EXPECT_EQ(Errors, QStringList{"ファイル " + old + " を作成できません."});
    EXPECT_EQ(ReadAll(old), "the picture saved before");
    EXPECT_EQ(QDir(Work.path()).entryList(QDir::Files), before);
}

TEST_F(Form2Test, ResultFileIsCutToZeroBytesWhereTheProgramFolderPoints)
{
    struct Case
    {
        bool StartFails;
        QString Folder;
    };
    // After a failed start the program folder is unknown: the current folder takes the file.
    for (const Case& run : {Case{false, QCoreApplication::applicationDirPath()}, Case{true, Work.path()}})
    {
        SCOPED_TRACE(run.StartFails);
        if (run.StartFails)
        {
            ASSERT_TRUE(QFile::remove("temp.txt"));
        }
        const QString result = run.Folder + "/DOZ_TEMP.TXT";
        WriteAll(result, "left over from the last run");
        {
            TForm2 form;
            EXPECT_EQ(form.State.StartError.has_value(), run.StartFails);
        }
        ASSERT_TRUE(QFile::exists(result));
        EXPECT_EQ(QFile(result).size(), 0);
    }
}

TEST_F(Form2Test, ResultFileThatCannotBeCreatedIsReported)
{
    {
        TForm2 form;
        Errors.clear();
        form.ProgramFolder = "/proc/kestrelview-none/";
    }
    EXPECT_EQ(Errors, QStringList{"ファイル /proc/kestrelview-none/DOZ_TEMP.TXT を作成できません."});
}

// The arrows belong to the picture, also where a button would have taken
// them: Right then Left turns and turns back, and the shading stays.
TEST_F(Form2Test, KeysBelongToThePictureAndButtonsTakeNoFocus)
{
    TForm2 form;
    ShowActive(form);
    EXPECT_EQ(QApplication::focusWidget(), &form.Image1);
    QStringList focusable;
    for (QWidget* control : form.findChildren<QWidget*>())
        if (control->window() == &form && (control->focusPolicy() & Qt::TabFocus))
            focusable.push_back(control->objectName());
    // Besides the picture only the cut height's field, and the plan view
    // that takes the picture's place.
    EXPECT_EQ(focusable, (QStringList{"Image1", "CutField", "qt_spinbox_lineedit", "PlanView"}));
    const TPicture start = form.State.Picture;
    QTest::keyClick(form.windowHandle(), Qt::Key_Right);
    QTest::keyClick(form.windowHandle(), Qt::Key_Left);
    Settle(form);
    EXPECT_TRUE(form.B_grad.isChecked());
    EXPECT_FALSE(form.State.Render.FlatShading);
    EXPECT_EQ(form.State.Picture.Pixels, start.Pixels);
    EXPECT_EQ(QApplication::focusWidget(), &form.Image1);
}

// After the keys the picture is the companion's --turn picture, pixel for
// pixel, and Ctrl+C copies it.
TEST_F(Form2Test, FourLeftTurnsAreTheCompanionsTurnOf60)
{
    TForm2 form;
    ShowActive(form);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(form.windowHandle(), Qt::Key_Left);
    Settle(form);
    const QImage companion = CompanionPicture(Work.path(), "--turn 60");
    EXPECT_EQ(PictureOf(form), companion);
    EXPECT_TRUE(ShowsPicture(form));
    QTest::keyClick(&form.Image1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), companion);
    EXPECT_EQ(CopiedOptions(form), "--eye=13954.482,-18490.38,9 --target=5000,4000,2.5 --fov=48");
}

// Whatever moved the view, the companion draws what the window shows from
// the options Ctrl+Shift+C copies.
TEST_F(Form2Test, EveryMoveIsDrawnAsTheCopiedOptionsDrawIt)
{
    TForm2 form;
    ShowActive(form);
    QWidget* picture = &form.Image1;
    const auto drag =
        [picture](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint from, QPoint to)
    {
        QTest::mousePress(picture, button, modifiers, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), picture->mapToGlobal(QPointF(to)), Qt::NoButton,
                         button, modifiers);
        QApplication::sendEvent(picture, &move);
        QTest::mouseRelease(picture, button, modifiers, to);
    };
    const auto wheel = [picture](QPoint at, int delta)
    {
        QWheelEvent turn(QPointF(at), picture->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &turn);
    };
    const auto keys = [&form](const QString& typed)
    {
        for (QChar key : typed)
            QTest::keyClick(form.windowHandle(), key.toLatin1());
    };
    struct Move
    {
        const char* Name;
        std::function<void()> Do;
    };
    const Move moves[] = {
        {"orbit",
         [&] {
             drag(Qt::LeftButton, Qt::NoModifier, {200, 150}, {260, 120});
         }},
        {"pan",
         [&] {
             drag(Qt::MiddleButton, Qt::NoModifier, {200, 150}, {150, 190});
         }},
        {"pan with shift",
         [&] {
             drag(Qt::LeftButton, Qt::ShiftModifier, {100, 100}, {120, 90});
         }},
        {"wheel",
         [&] {
             wheel({300, 80}, 240);
         }},
        {"up and plus",
         [&]
         {
             QTest::keyClick(form.windowHandle(), Qt::Key_Up);
             keys("+");
         }},
        {"orthographic, corner", [&] { keys("59"); }},
        {"framed", [&] { keys("f"); }},
        {"walk",
         [&]
         {
             keys("vww");
             QTest::keyClick(form.windowHandle(), Qt::Key_PageUp);
         }},
        {"look around",
         [&]
         {
             drag(Qt::RightButton, Qt::NoModifier, {200, 150}, {180, 150});
             drag(Qt::LeftButton, Qt::NoModifier, {200, 150}, {240, 130});
         }},
        {"home", [&] { QTest::keyClick(form.windowHandle(), Qt::Key_Home); }},
    };
    for (const Move& move : moves)
    {
        SCOPED_TRACE(move.Name);
        move.Do();
        Settle(form);
        const QString options = CopiedOptions(form);
        EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), options)) << options.toStdString();
    }
    EXPECT_EQ(CopiedOptions(form), "--eye=-10000,-15000,9 --target=5000,4000,2.5 --fov=48");
}

// Resized, the picture fills the window at the screen's pixel ratio with
// true proportions, and is the companion's --size picture of the copied
// view. (Run once more with QT_SCALE_FACTOR=2.)
TEST_F(Form2Test, ResizedWindowDrawsTheCompanionsPictureOfItsSize)
{
    TForm2 form;
    ShowActive(form);
    const double ratio = form.devicePixelRatioF();
    form.resize(600, 450);
    Settle(form);
    const QSize area(600 - 23, 450 - 83);
    EXPECT_EQ(form.Image1.geometry(), QRect(QPoint(3, 3), area));
    EXPECT_EQ(form.StatusBar1.geometry(), QRect(0, 450 - 19, 600, 19));
    const QSize pixels(int(std::lround(area.width() * ratio)), int(std::lround(area.height() * ratio)));
    ASSERT_EQ(QSize(form.State.Picture.Width, form.State.Picture.Height), pixels);
    EXPECT_EQ(form.Image1.pixmap().size(), pixels);
    EXPECT_EQ(form.Image1.pixmap().devicePixelRatio(), ratio);
    QTest::keyClick(form.windowHandle(), Qt::Key_Right);
    Settle(form);
    const QString options = CopiedOptions(form);
    EXPECT_TRUE(options.endsWith(QString(" --size=%1x%2").arg(pixels.width()).arg(pixels.height())))
        << options.toStdString();
    EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), options));
    // Back at the starting size the picture keeps its own proportions.
    form.resize(423, 383);
    Settle(form);
    EXPECT_EQ(form.State.Picture.Width, int(std::lround(400 * ratio)));
}

// Too small a window draws nothing, and the picture comes back with room.
TEST_F(Form2Test, AVerySmallWindowDrawsNothing)
{
    TForm2 form;
    ShowActive(form);
    for (QSize size : {QSize(30, 60), QSize(1, 1), QSize(420, 90)})
    {
        form.resize(size);
        QTest::keyClick(form.windowHandle(), Qt::Key_Left);
        Settle(form);
    }
    EXPECT_TRUE(form.Image1.pixmap().isNull());
    form.resize(500, 400);
    Settle(form);
    EXPECT_FALSE(form.Image1.pixmap().isNull());
    EXPECT_EQ(form.State.Picture.Width, int(std::lround(477 * form.devicePixelRatioF())));
}

// Without a model the view does not move: no NaN, and the picture stays.
TEST_F(Form2Test, NothingMovesWithoutAModel)
{
    for (bool failed : {true, false})
    {
        SCOPED_TRACE(failed);
        if (failed)
            ASSERT_TRUE(QFile::remove("temp.txt"));
        else
            WriteAll("temp.txt", "ch 0 0 \"v,1.6\n");
        Errors.clear();
        TForm2 form;
        ShowActive(form);
        const TCamera camera = form.State.Render.Camera;
        const TPicture picture = form.State.Picture;
        QTest::mousePress(&form.Image1, Qt::LeftButton, {}, {100, 100});
        QTest::mouseMove(&form.Image1, {300, 200});
        QTest::mouseRelease(&form.Image1, Qt::LeftButton, {}, {300, 200});
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Plus, Qt::Key_7, Qt::Key_V, Qt::Key_W})
            QTest::keyClick(form.windowHandle(), key);
        Settle(form);
        EXPECT_EQ(form.State.Render.Camera.Yaw, camera.Yaw);
        EXPECT_EQ(form.State.Render.Camera.EyePoint[2], camera.EyePoint[2]);
        EXPECT_EQ(form.State.Picture.Pixels, picture.Pixels);
        EXPECT_FALSE(form.Viewer.Walking);
        EXPECT_EQ(Errors.size(), failed ? 1 : 0);
    }
}

TEST_F(Form2Test, TheModeLineShowsWalkAndProjection)
{
    TForm2 form;
    ShowActive(form);
    EXPECT_EQ(form.ModeLabel.text(), "周回・透視投影");
    EXPECT_EQ(form.ModeLabel.parentWidget(), &form.StatusBar1);
    QTest::keyClick(form.windowHandle(), Qt::Key_V);
    EXPECT_EQ(form.ModeLabel.text(), "歩行・透視投影");
    EXPECT_TRUE(form.B_walk.isChecked());
    QTest::keyClick(form.windowHandle(), Qt::Key_5);
    EXPECT_EQ(form.ModeLabel.text(), "歩行・平行投影");
    QTest::keyClick(form.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(form.ModeLabel.text(), "周回・平行投影");
    EXPECT_FALSE(form.B_walk.isChecked());
    QTest::mouseClick(&form.B_walk, Qt::LeftButton);
    EXPECT_EQ(form.ModeLabel.text(), "歩行・平行投影");
    // Walking starts 1.6 m above the ground the eye stands over.
    EXPECT_EQ(ShownView(form.Viewer).EyeHeight, 1600);
    QTest::keyClick(form.windowHandle(), Qt::Key_Home);
    EXPECT_EQ(form.ModeLabel.text(), "周回・透視投影");
    EXPECT_TRUE(form.StatusBar1.currentMessage().startsWith("視点 -10000, -15000, 9.00"));
}

// A large model is drawn from the lighter list while it is dragged, and the
// full picture follows the drag.
TEST_F(Form2Test, LargeModelsMoveLightAndSettleOnTheFullPicture)
{
    std::string grid;
    for (int j = 0; j <= 60; ++j)
        for (int i = 0; i < 60; ++i)
            grid += " " + std::to_string(i * 1000) + " " + std::to_string(j * 1000) + " " +
                    std::to_string(i * 1000 + 1000) + " " + std::to_string(j * 1000) + "\n " +
                    std::to_string(j * 1000) + " " + std::to_string(i * 1000) + " " +
                    std::to_string(j * 1000) + " " + std::to_string(i * 1000 + 1000) + "\n";
    for (int j = 0; j <= 60; ++j)
        for (int i = 0; i <= 60; ++i)
            grid += "ch " + std::to_string(i * 1000) + " " + std::to_string(j * 1000) + " \"3,0\n";
    WriteAll("temp.txt", QByteArray::fromStdString(grid));
    TForm2 form;
    ShowActive(form);
    ASSERT_GT(form.State.Render.DrawList.Faces.size(), 10000u);
    ASSERT_TRUE(form.DragListMaking.valid());
    form.DragListMaking.wait();
    QTest::mousePress(&form.Image1, Qt::LeftButton, {}, {200, 150});
    QMouseEvent move(QEvent::MouseMove, QPointF(230, 140), form.Image1.mapToGlobal(QPointF(230, 140)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form.Image1, &move);
    QTRY_VERIFY(form.DragList.List.Faces.size() > 0 && !form.ShowsFullPicture() && ShowsPicture(form));
    EXPECT_LT(form.DragList.List.Faces.size(), 300u);
    QTest::mouseRelease(&form.Image1, Qt::LeftButton, {}, {230, 140});
    Settle(form);
    const QString options = CopiedOptions(form);
    EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), options)) << options.toStdString();
}

// The file dialog's history would go to QtProject.conf: it goes nowhere.
TEST_F(Form2Test, NothingIsStoredBetweenRuns)
{
    {
        TForm2 form;
    }
    EXPECT_TRUE(QSettings(QSettings::UserScope, "QtProject").fileName().startsWith("/dev/null/"));
}

TEST_F(Form2Test, SidePanelOpensRightOfThePictureWhichKeepsItsSize)
{
    TForm2 form;
    ShowActive(form);
    const TPicture start = form.State.Picture;
    EXPECT_FALSE(form.SidePanel.isVisible());
    QTest::mouseClick(&form.B_panel, Qt::LeftButton);
    EXPECT_TRUE(form.SidePanel.isVisible());
    QTRY_VERIFY(form.width() > 423);
    EXPECT_EQ(form.height(), 383);
    EXPECT_EQ(form.ScrollBox1.geometry(), QRect(4, 44, 409, 309));
    EXPECT_EQ(form.Image1.geometry(), QRect(3, 3, 400, 300));
    EXPECT_GT(form.SidePanel.geometry().left(), form.ScrollBox1.geometry().right());
    EXPECT_LE(form.SidePanel.geometry().right(), form.width());
    EXPECT_GE(form.SidePanel.geometry().top(), 0);
    EXPECT_LE(form.SidePanel.geometry().bottom(), form.StatusBar1.geometry().top());
    Settle(form);
    EXPECT_EQ(form.State.Picture.Pixels, start.Pixels);

    QTest::mouseClick(&form.B_panel, Qt::LeftButton);
    EXPECT_FALSE(form.SidePanel.isVisible());
    QTRY_COMPARE(form.size(), QSize(423, 383));
    EXPECT_EQ(form.ScrollBox1.geometry(), QRect(4, 44, 409, 309));
}

// The list holds what --check finds, in its order, each with its sentence,
// layer and line; the filter keeps the order.
TEST_F(Form2Test, FindingsListIsTheChecksAndFiltersBySeverity)
{
    WriteAll("temp.txt", ReadAll(GuideFile("check.txt")));
    TForm2 form;
    // The companion says by its status that there are warnings.
    const TToolRun run = RunTool(Work.path(), {"--check-json", "-", Work.path()});
    const nlohmann::json expected = nlohmann::json::parse(run.Out)["findings"];
    ASSERT_EQ(form.Findings.size(), expected.size());
    const TFindingsModel& model = form.SidePanel.FindingsModel;
    const char* const shown[] = {nullptr, "warning", "note"}; // by the filter's entries
    for (int filter = 0; filter < 3; ++filter)
    {
        SCOPED_TRACE(filter);
        form.SidePanel.SeverityFilter.setCurrentIndex(filter);
        std::vector<size_t> wanted;
        for (size_t i = 0; i < expected.size(); ++i)
            if (!shown[filter] || expected[i]["severity"] == shown[filter])
                wanted.push_back(i);
        ASSERT_EQ(model.rowCount(), int(wanted.size()));
        for (int row = 0; row < model.rowCount(); ++row)
        {
            ASSERT_EQ(model.FindingAt(row), wanted[size_t(row)]);
            const nlohmann::json& finding = expected[wanted[size_t(row)]];
            EXPECT_EQ(model.data(model.index(row, 0), Qt::DisplayRole).toString(),
                      finding["severity"] == "warning" ? "警告" : "注記");
            EXPECT_EQ(model.data(model.index(row, 2), Qt::DisplayRole).toString().toStdString(),
                      finding["message"]["ja"]);
            EXPECT_EQ(model.data(model.index(row, 3), Qt::DisplayRole).toString().toStdString(),
                      std::to_string(int(finding["layer"][0])) + "/" +
                          std::to_string(int(finding["layer"][1])));
            EXPECT_EQ(model.data(model.index(row, 4), Qt::DisplayRole).toInt(), finding["lines"][0]);
        }
    }
}

TEST_F(Form2Test, ASelectedFindingIsLookedAtMarkedAndRingedEvenOnAHiddenLayer)
{
    WriteAll("temp.txt", ReadAll(GuideFile("check.txt")));
    TForm2 form;
    ShowActive(form);
    QTest::mouseClick(&form.B_panel, Qt::LeftButton);
    ASSERT_EQ(form.Findings[0].Slot, 1);
    SetLayerShown(form, 1, false);
    EXPECT_TRUE(form.State.HiddenLayers[1]);

    form.SidePanel.SelectFinding(0);
    EXPECT_FALSE(form.State.HiddenLayers[1]);
    EXPECT_TRUE(LayerChecked(form, 1));
    const auto looksAt = [&form](size_t finding)
    {
        const TModelSpot spot = FindingSpot(form.Findings[finding], form.Record);
        EXPECT_EQ(form.State.Render.Marker, spot);
        const TViewParameters view = ShownView(form.Viewer);
        EXPECT_EQ((TModelSpot{view.TargetX, view.TargetHeight, view.TargetY}), spot);
        EXPECT_EQ(form.PlanView.Look.Picked, finding);
    };
    looksAt(0);
    Settle(form);
    // The marker is drawn over the picture the companion draws of the view.
    EXPECT_NE(PictureOf(form), CompanionPicture(Work.path(), CopiedOptions(form)));

    // A click on a finding's number in the plan view picks it in the list too.
    QTest::mouseClick(&form.SidePanel.B_plan, Qt::LeftButton);
    EXPECT_TRUE(form.PlanView.isVisible());
    EXPECT_FALSE(form.ScrollBox1.isVisible());
    const size_t picked = 3; // alone at (5000, 0)
    const QPointF place = FindingPlaces(form.Record, form.Findings, form.PlanView.width(),
                                        form.PlanView.height(), form.PlanView.Look)[picked];
    QTest::mouseClick(&form.PlanView, Qt::LeftButton, Qt::NoModifier, place.toPoint());
    looksAt(picked);
    EXPECT_EQ(form.SidePanel.FindingsTable.selectionModel()->selectedRows().value(0).row(), int(picked));
    // The wheel zooms the plan and F fits it whole again; the 3D view stays.
    QWheelEvent wheel(place, form.PlanView.mapToGlobal(place), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&form.PlanView, &wheel);
    EXPECT_GT(form.PlanView.Look.Zoom, 1);
    const QString view = CopiedOptions(form);
    QTest::keyClick(&form.PlanView, Qt::Key_F);
    EXPECT_EQ(form.PlanView.Look.Zoom, 1);
    EXPECT_EQ(CopiedOptions(form), view);
    QTest::mouseClick(&form.SidePanel.B_plan, Qt::LeftButton);
    EXPECT_TRUE(form.ScrollBox1.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &form.Image1);

    // With no finding picked the marker goes: the companion's picture again.
    form.SidePanel.SeverityFilter.setCurrentIndex(2);
    EXPECT_FALSE(form.State.Render.Marker);
    EXPECT_FALSE(form.PlanView.Look.Picked);
    Settle(form);
    EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), CopiedOptions(form)));
}

// Each change is drawn as the companion draws the options Ctrl+Shift+C copies;
// a cut at the model's top is the whole model's picture.
TEST_F(Form2Test, HiddenLayersAndTheCutAreDrawnAsTheCopiedOptionsDrawThem)
{
    TForm2 form;
    ShowActive(form);
    const TPicture whole = form.State.Picture;
    struct Step
    {
        const char* Name;
        std::function<void()> Do;
        const char* Copied; // what the copied options end with
    };
    const Step steps[] = {
        {"layer 1/0 hidden", [&] { SetLayerShown(form, 16, false); }, " --hide-layer=1/0"},
        {"layer 0/3 hidden too", [&] { SetLayerShown(form, 3, false); },
         " --hide-layer=0/3 --hide-layer=1/0"},
        {"cut at 3.1 m", [&] { form.SidePanel.CutField.setValue(3.1); }, " --hide-layer=1/0 --cut=3.1"},
        {"layers shown", [&] { SetLayerShown(form, 3, true), SetLayerShown(form, 16, true); },
         "--fov=48 --cut=3.1"},
        {"cut by the slider", [&] { form.SidePanel.CutSlider.setValue(1500); }, "--fov=48 --cut=1.5"},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.Name);
        step.Do();
        Settle(form);
        const QString options = CopiedOptions(form);
        EXPECT_TRUE(options.endsWith(step.Copied)) << options.toStdString();
        EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), options)) << options.toStdString();
    }
    EXPECT_TRUE(form.SidePanel.B_cut.isChecked());
    form.SidePanel.CutField.setValue(form.SidePanel.CutField.maximum());
    Settle(form);
    EXPECT_EQ(form.State.Picture.Pixels, whole.Pixels);
    form.SidePanel.CutField.setValue(1.5);
    QTest::mouseClick(&form.SidePanel.B_cut, Qt::LeftButton);
    Settle(form);
    EXPECT_FALSE(form.State.Render.CutHeight);
    EXPECT_EQ(form.State.Picture.Pixels, whole.Pixels);
}

// F5 reads the drawing again: the view, hidden layers and cut stay, Home
// goes to the drawing's view.
TEST_F(Form2Test, ReloadShowsTheNewDrawingAsTheViewShowedTheOld)
{
    TForm2 form;
    ShowActive(form);
    QTest::keyClick(form.windowHandle(), Qt::Key_Left);
    QTest::keyClick(form.windowHandle(), Qt::Key_Left);
    const size_t faces = form.State.Render.DrawList.Faces.size();
    WriteAll("temp.txt", ReadAll("temp.txt") +
                             "lg0\nly1\nlc1\n 2000 -3000 8000 -3000\nch 2000 -3000 250 0 \"3,0\n"
                             "ch 8000 -3000 250 0 \"3,0\n");
    QTest::keyClick(form.windowHandle(), Qt::Key_F5);
    Settle(form);
    EXPECT_EQ(form.State.Render.DrawList.Faces.size(), faces + 1);
    EXPECT_EQ(PictureOf(form), CompanionPicture(Work.path(), "--turn 30"));

    SetLayerShown(form, 16, false);
    form.SidePanel.CutField.setValue(3.1);
    Settle(form);
    const QString copied = CopiedOptions(form);
    const TPicture before = form.State.Picture;
    QTest::mouseClick(&form.SidePanel.B_reload, Qt::LeftButton);
    Settle(form);
    EXPECT_EQ(CopiedOptions(form), copied);
    EXPECT_EQ(form.State.Picture.Pixels, before.Pixels);
    EXPECT_FALSE(LayerChecked(form, 16));

    QTest::keyClick(form.windowHandle(), Qt::Key_Home);
    EXPECT_EQ(CopiedOptions(form),
              "--eye=-10000,-15000,9 --target=5000,4000,2.5 --fov=48 --hide-layer=1/0 --cut=3.1");
}

TEST_F(Form2Test, AReloadThatFailsKeepsTheModelAndSaysWhy)
{
    TForm2 form;
    ShowActive(form);
    QTest::keyClick(form.windowHandle(), Qt::Key_Left);
    Settle(form);
    const TPicture before = form.State.Picture;
    const size_t faces = form.State.Render.DrawList.Faces.size(), findings = form.Findings.size();
    for (const char* missing : {"temp.txt", "material.txt"})
    {
        SCOPED_TRACE(missing);
        const QByteArray kept = ReadAll(missing);
        ASSERT_TRUE(QFile::remove(missing));
        Errors.clear();
        QTest::keyClick(form.windowHandle(), Qt::Key_F5);
        Settle(form);
        EXPECT_EQ(Errors, QStringList{QString("ファイル ") + missing + " は開けません."});
        EXPECT_EQ(form.State.Picture.Pixels, before.Pixels);
        EXPECT_EQ(form.State.Render.DrawList.Faces.size(), faces);
        EXPECT_EQ(form.Findings.size(), findings);
        EXPECT_EQ(form.SidePanel.FindingsModel.rowCount(), int(findings));
        WriteAll(missing, kept);
    }
    Errors.clear();
    QTest::keyClick(form.windowHandle(), Qt::Key_F5);
    Settle(form);
    EXPECT_TRUE(Errors.isEmpty());
    EXPECT_EQ(form.State.Picture.Pixels, before.Pixels);
}

// The window's Export writes the file the companion writes with the options
// the window copies, hidden layers left out; a place that cannot be written
// gets the file-creation error and no file.
TEST_F(Form2Test, ExportWritesTheCompanionsFile)
{
    TForm2 form;
    ShowActive(form);
    QTest::keyClick(form.windowHandle(), Qt::Key_Left);
    SetLayerShown(form, 16, false);
    form.SidePanel.CutField.setValue(3.1);
    Settle(form);
    const QStringList options = CopiedOptions(form).split(' ');
    ASSERT_TRUE(QDir(Work.path()).mkdir("window") && QDir(Work.path()).mkdir("companion"));
    QString unit;
    const auto oldRun = RunSaveDialog;
    RunSaveDialog = [&](QFileDialog& dialog)
    {
        dialog.findChild<QComboBox*>("ExportUnit")->setCurrentText(unit);
        return oldRun(dialog);
    };
    struct Case
    {
        const char* Name;
        const char* Unit;
    };
    for (const Case& file :
         {Case{"model.glb", "m"}, Case{"model.gltf", "cm"}, Case{"model.obj", "mm"}, Case{"model.html", "m"}})
    {
        SCOPED_TRACE(file.Name);
        unit = file.Unit;
        // The same name in two folders: an OBJ file names its MTL file.
        SaveAs = Work.filePath(QString("window/") + file.Name);
        Errors.clear();
        QTest::mouseClick(&form.SidePanel.B_export, Qt::LeftButton);
        EXPECT_TRUE(Errors.isEmpty());
        const QString companion = Work.filePath(QString("companion/") + file.Name);
        const TToolRun run =
            RunTool(Work.path(), options + QStringList{"--export", companion, "--unit", unit, Work.path()});
        ASSERT_EQ(run.Status, 0) << run.Err;
        const QByteArray written = ReadAll(*SaveAs);
        EXPECT_FALSE(written.isEmpty());
        EXPECT_TRUE(written == ReadAll(companion));
    }
    EXPECT_EQ(ReadAll(Work.filePath("window/model.mtl")), ReadAll(Work.filePath("companion/model.mtl")));
    SaveAs = "/proc/model.glb";
    Errors.clear();
    QTest::mouseClick(&form.SidePanel.B_export, Qt::LeftButton);
    EXPECT_EQ(Errors, QStringList{"ファイル /proc/model.glb を作成できません."});
    EXPECT_FALSE(QFile::exists(*SaveAs));
}

} // namespace
