#include "app/form2.h"

#include "app/button_images.h"
#include "app/japanese_interface.h"
#include "app/modal_dialogs.h"
#include "check/finding_text.h"
#include "check/plan_check.h"
#include "model/polygon.h"
#include "start/error_text.h"
#include "start/picture_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QStatusTipEvent>

#include <utility>

namespace
{

// A hint is one text, "short|long". Every control with a hint shows the long
// part in the status line while the mouse is over it; only the controls asked
// for show the short part as a tooltip.
void SetHint(QWidget& control, const QString& hint, bool showToolTip)
{
    control.setStatusTip(hint);
    if (showToolTip)
        control.setToolTip(hint.section('|', 0, 0));
}

QString LongHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetUpShadingButton(QToolButton& button, const QPixmap& image, const QString& hint)
{
    button.setCheckable(true);
    button.setIcon(QIcon(image));
    button.setIconSize(image.size());
    SetHint(button, hint, true);
}

void ShowError(QWidget* parent, const ProgramError& error)
{
    ShowErrorBox(parent, QString::fromStdString(ErrorDisplayText(error)));
}

} // namespace

TForm2::TForm2(std::future<OSMesaContext> prepared)
    : Panel1(this), StaticText17(&Panel1), B_flat(&Panel1), B_grad(&Panel1), Button1(this), Button2(this),
      ScrollBox1(this), Image1(ScrollBox1.viewport()), StatusBar1(this), SaveDialog1(this)
{
    setObjectName("Form2");
    setWindowTitle("Kestrelview");
    setFixedSize(423, 383);
    setFont(InterfaceFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Panel1.setObjectName("Panel1");
    Panel1.setGeometry(4, 0, 173, 41);
    Panel1.setFrameStyle(QFrame::Panel | QFrame::Raised);

    StaticText17.setObjectName("StaticText17");
    StaticText17.setGeometry(5, 8, 74, 17);
    StaticText17.setText("表示方法：");

    B_flat.setObjectName("B_flat");
    B_flat.setGeometry(112, 4, 23, 22);
    SetUpShadingButton(B_flat, FlatButtonImage(), "フラット|フラットシェーディング");

    B_grad.setObjectName("B_grad");
    B_grad.setGeometry(140, 4, 23, 22);
    SetUpShadingButton(B_grad, GradButtonImage(), "スムース|スムースシェーディング");
    B_grad.setChecked(true);

    ShadingGroup.setExclusive(true);
    ShadingGroup.addButton(&B_flat);
    ShadingGroup.addButton(&B_grad);
    connect(&B_flat, &QToolButton::clicked, this, [this] { B_flatClick(); });
    connect(&B_grad, &QToolButton::clicked, this, [this] { B_gradClick(); });

    Button1.setObjectName("Button1");
    Button1.setGeometry(184, 8, 87, 25);
    Button1.setText("画像の保存");
    SetHint(Button1, "画像の保存|BMP形式で画像を保存します", false);
    connect(&Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    Button2.setObjectName("Button2");
    Button2.setGeometry(280, 8, 75, 25);
    Button2.setText("閉じる");
    SetHint(Button2, "閉じる|終了します", false);
    connect(&Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    ScrollBox1.setObjectName("ScrollBox1");
    ScrollBox1.setGeometry(4, 44, 409, 309);
    ScrollBox1.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);

    Image1.setObjectName("Image1");
    Image1.setGeometry(3, 3, TPicture::WindowWidth, TPicture::WindowHeight);
    Image1.setAlignment(Qt::AlignLeft | Qt::AlignTop);

    StatusBar1.setObjectName("StatusBar1");
    StatusBar1.setGeometry(0, 364, 423, 19);
    StatusBar1.setSizeGripEnabled(false);

    SaveDialog1.setObjectName("SaveDialog1");
    SaveDialog1.setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1.setNameFilter("BMP画像(*.bmp)");
    SaveDialog1.setDefaultSuffix("bmp");
    // The standard dialog always, so that its texts come from Qt's translations.
    SaveDialog1.setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1.setSizeGripEnabled(true);

    move(screen()->geometry().center() - rect().center());
    State.Context.Prepared = std::move(prepared);
    FormCreate();
}

TForm2::~TForm2()
{
    // Controls destroyed under the mouse still send their status tips up here;
    // the status line may already be gone by then.
    LongHintHooked = false;
    FormDestroy();
}

void TForm2::FormCreate()
{
    // The render reads the colour depth of the screen the picture is shown on.
    State.Context.ScreenColorDepth = screen()->depth();
    RunStartSequence(State, &Record);
    ShowPicture();
    if (State.StartError)
    {
        ShowErrorBox(nullptr, QString::fromStdString(*State.StartError));
        return;
    }
    // A drawing with warnings says so in the status line until the first hint.
    StatusBar1.showMessage(QString::fromStdString(WarningSummary(CheckPlan(Record))));
    ProgramFolder = QFile::encodeName(QCoreApplication::applicationDirPath() + '/').toStdString();
    SaveDialog1.setDirectory(QFile::decodeName(ProgramFolder.c_str()));
    LongHintHooked = true;
}

void TForm2::B_flatClick()
{
    State.Render.FlatShading = B_flat.isChecked();
    RenderAndShow();
}

void TForm2::B_gradClick()
{
    State.Render.FlatShading = B_flat.isChecked();
    RenderAndShow();
}

void TForm2::Button1Click()
{
    if (!RunSaveDialog(SaveDialog1))
        return;
    const QStringList chosen = SaveDialog1.selectedFiles();
    if (chosen.isEmpty())
        return;
    try
    {
        WritePicture(State.Picture, QFile::encodeName(chosen.first()).toStdString(), TPictureFormat::Bmp);
    }
    catch (const ProgramError& error)
    {
        ShowError(this, error);
    }
}

void TForm2::Button2Click()
{
    close();
}

void TForm2::ShowLongHint(const QString& hint)
{
    StatusBar1.showMessage(LongHint(hint));
}

// The context object and the draw list go with the window's members; the
// faces are module-level and released here.
void TForm2::FormDestroy()
{
    ReleaseFaces();
    const std::string path = ProgramFolder + "DOZ_TEMP.TXT";
    QFile result(QFile::decodeName(path.c_str()));
    if (!result.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ShowError(nullptr, FileCreateError(path));
}

bool TForm2::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && LongHintHooked)
    {
        ShowLongHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void TForm2::RenderAndShow()
{
    RenderView(State.Context, State.Picture, State.Render);
    ShowPicture();
}

// Shows the picture as it was rendered, pixel for pixel, its fourth byte
// taken as opaque whatever it holds.
void TForm2::ShowPicture()
{
    QImage shown(State.Picture.Width, State.Picture.Height, QImage::Format_RGB32);
    for (int y = 0; y < State.Picture.Height; ++y)
    {
        auto* row = reinterpret_cast<uint32_t*>(shown.scanLine(y));
        for (int x = 0; x < State.Picture.Width; ++x)
            row[x] = State.Picture.Pixels[y * State.Picture.Width + x] | 0xFF000000u;
    }
    Image1.setPixmap(QPixmap::fromImage(shown));
}
