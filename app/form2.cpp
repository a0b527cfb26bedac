#include "app/form2.h"

#include "app/button_images.h"
#include "app/export_dialog.h"
#include "app/japanese_interface.h"
#include "app/modal_dialogs.h"
#include "check/finding_text.h"
#include "check/plan_check.h"
#include "model/polygon.h"
#include "start/error_text.h"
#include "start/finding_aim.h"
#include "start/model_export.h"
#include "start/picture_file.h"
#include "start/view_texts.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QWhatsThis>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

namespace
{

// The window's size at start, and the margins its picture keeps.
constexpr int StartWidth = 423;
constexpr int StartHeight = 383;
// The scroll box from the window's right and bottom edges (4, 44, 409, 309
// in a window of 423 by 383), the status line's height, and the picture
// inside the scroll box's frame (at 3, 3, with 2 to spare at the right and
// bottom).
constexpr int BoxRightMargin = 10;
constexpr int BoxBottomMargin = 30;
constexpr int StatusHeight = 19;
constexpr int PictureMargin = 5;
// Pictures smaller or larger than these are not drawn, as the companion
// draws none of them.
constexpr int SmallestPicture = 16;
constexpr int LargestPicture = 8192;
// After the last wheel turn, resize or repeated key, the full picture
// follows this many milliseconds later.
constexpr int SettleMilliseconds = 200;
// Models of more faces than this are drawn from a lighter list while the
// view moves; smaller ones draw fast enough as they are.
constexpr size_t DragListFaces = 10000;
// The side panel's width, by which the window grows when it opens, with the
// 6 pixels between it and the scroll box.
constexpr int PanelWidth = 420;

const char* const HelpText =
    "<b>マウス</b><br>"
    "左ドラッグ: 注視点のまわりに回す（歩行中は向きを変える）<br>"
    "中・右ドラッグ、Shift＋左ドラッグ: 平行に動かす<br>"
    "ホイール: カーソルの指す所へ寄る・離れる<br>"
    "<b>キー</b><br>"
    "← →: 15° 回す　↑ ↓: 15° 上から・下から見る<br>"
    "＋ −: 寄る・離れる　F: 全体を映す　Home: 図面の視点に戻る<br>"
    "7 1 3 9: 上・前・右・斜め上から見る　5: 透視投影と平行投影<br>"
    "V: 歩行モード　W A S D・矢印: 歩く　Page Up・Page Down: 目の高さ　Esc: 歩行をやめる<br>"
    "Ctrl＋C: 画像をコピー　Ctrl＋Shift＋C: 視点をコピー（kestrelview-render のオプション）<br>"
    "F5: 図面を読み直す　F1: この説明";

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

TViewerKey ViewerKey(int key)
{
    switch (key)
    {
    case Qt::Key_Left:
        return TViewerKey::Left;
    case Qt::Key_Right:
        return TViewerKey::Right;
    case Qt::Key_Up:
        return TViewerKey::Up;
    case Qt::Key_Down:
        return TViewerKey::Down;
    case Qt::Key_PageUp:
        return TViewerKey::PageUp;
    case Qt::Key_PageDown:
        return TViewerKey::PageDown;
    case Qt::Key_Home:
        return TViewerKey::Home;
    case Qt::Key_Escape:
        return TViewerKey::Escape;
    default:
        return TViewerKey::Other;
    }
}

// The character a key types, the keypad's digits included.
char32_t KeyCharacter(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    return text.toUcs4().value(0);
}

} // namespace

TForm2::TForm2(std::future<OSMesaContext> prepared)
    : Panel1(this), StaticText17(&Panel1), B_flat(&Panel1), B_grad(&Panel1), Button1(this), Button2(this),
      B_walk(this), B_help(this), ScrollBox1(this), Image1(ScrollBox1.viewport()), StatusBar1(this),
      B_panel(this), SidePanel(this), PlanView(this), SaveDialog1(this), SaveSizeLabel(&SaveOptions),
      SaveWidth(&SaveOptions), SaveTimes(&SaveOptions), SaveHeight(&SaveOptions), SaveSmooth(&SaveOptions)
{
    // Nothing is kept between runs: the file dialog would write its history
    // to ~/.config/QtProject.conf when it goes, whatever its options.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, "/dev/null");

    setObjectName("Form2");
    setWindowTitle("Kestrelview");
    resize(StartWidth, StartHeight);
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

    B_walk.setObjectName("B_walk");
    B_walk.setGeometry(364, 8, 25, 25);
    B_walk.setText("歩");
    B_walk.setCheckable(true);
    SetHint(
        B_walk,
        "歩行|歩行モード: W A S D・矢印で歩き、ドラッグで向きを変え、Page Up・Page Down で目の高さを変えます"
        " (V、Esc で終了)",
        true);
    connect(&B_walk, &QToolButton::clicked, this, [this] { B_walkClick(); });

    B_help.setObjectName("B_help");
    B_help.setGeometry(393, 8, 25, 25);
    B_help.setText("?");
    SetHint(B_help, "操作説明|マウスとキーの操作を表示します (F1)", true);
    connect(&B_help, &QToolButton::clicked, this, [this] { B_helpClick(); });

    // The keys belong to the picture: no button takes the keyboard focus.
    for (QWidget* control : std::initializer_list<QWidget*>{&B_flat, &B_grad, &Button1, &Button2, &B_walk,
                                                            &B_help, &ScrollBox1, &B_panel})
        control->setFocusPolicy(Qt::NoFocus);

    ScrollBox1.setObjectName("ScrollBox1");
    ScrollBox1.setGeometry(4, 44, 409, 309);
    ScrollBox1.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);

    Image1.setObjectName("Image1");
    Image1.setGeometry(3, 3, TPicture::WindowWidth, TPicture::WindowHeight);
    Image1.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1.setFocusPolicy(Qt::StrongFocus);
    Image1.setWhatsThis(HelpText);
    Image1.installEventFilter(this);

    StatusBar1.setObjectName("StatusBar1");
    StatusBar1.setGeometry(0, 364, 423, 19);
    StatusBar1.setSizeGripEnabled(false);
    ModeLabel.setObjectName("ModeLabel");
    B_panel.setObjectName("B_panel");
    B_panel.setText("指摘");
    B_panel.setCheckable(true);
    B_panel.setFixedHeight(StatusHeight - 2);
    SetHint(B_panel,
            "指摘とツール|図面の指摘、平面図、レイヤ、切断高さ、再読込、書き出しのパネルを開閉します", true);
    connect(&B_panel, &QToolButton::clicked, this, [this] { B_panelClick(); });
    StatusBar1.addPermanentWidget(&B_panel);
    StatusBar1.addPermanentWidget(&ModeLabel);

    SidePanel.hide();
    connect(&SidePanel.SeverityFilter, &QComboBox::currentIndexChanged, this,
            [this]
            {
                // The list made again has nothing picked.
                SidePanel.ShowFindings(Findings, Record);
                ClearFinding();
            });
    connect(SidePanel.FindingsTable.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this]
            {
                const QModelIndexList rows = SidePanel.FindingsTable.selectionModel()->selectedRows();
                if (rows.isEmpty())
                    ClearFinding();
                else if (const std::optional<size_t> finding =
                             SidePanel.FindingsModel.FindingAt(rows.first().row()))
                    ShowFinding(*finding);
            });
    connect(&SidePanel.LayerList, &QListWidget::itemChanged, this, [this] { LayersChanged(); });
    connect(&SidePanel.B_cut, &QCheckBox::toggled, this, [this] { CutChanged(); });
    // Moving the height turns the cut on.
    connect(&SidePanel.CutField, &QDoubleSpinBox::valueChanged, this,
            [this]
            {
                if (SidePanel.B_cut.isChecked())
                    CutChanged();
                else
                    SidePanel.B_cut.setChecked(true);
            });
    connect(&SidePanel.CutSlider, &QSlider::sliderReleased, this,
            [this]
            {
                if (!State.StartError)
                    RequestRender(false);
            });
    connect(&SidePanel.B_plan, &QCheckBox::toggled, this, [this] { B_planClick(); });
    connect(&SidePanel.B_reload, &QPushButton::clicked, this, [this] { B_reloadClick(); });
    connect(&SidePanel.B_export, &QPushButton::clicked, this, [this] { B_exportClick(); });

    PlanView.setObjectName("PlanView");
    PlanView.hide();
    PlanView.setFocusPolicy(Qt::StrongFocus);
    PlanView.Record = &Record;
    PlanView.Findings = &Findings;
    PlanView.FindingClicked = [this](size_t finding)
    {
        if (SidePanel.FindingsModel.RowOf(finding) >= 0)
            SidePanel.SelectFinding(finding);
        else
            ShowFinding(finding);
    };

    SaveDialog1.setObjectName("SaveDialog1");
    SaveDialog1.setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1.setNameFilter("BMP画像(*.bmp)");
    SaveDialog1.setDefaultSuffix("bmp");
    // The standard dialog always, so that its texts come from Qt's translations.
    SaveDialog1.setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1.setSizeGripEnabled(true);
    SaveSizeLabel.setText("画像の大きさ:");
    SaveTimes.setText("×");
    for (QSpinBox* side : {&SaveWidth, &SaveHeight})
        side->setRange(SmallestPicture, LargestPicture);
    SaveSmooth.setText("縁を滑らかに (1 画素 4 サンプル)");
    auto* row = new QHBoxLayout(&SaveOptions);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control :
         std::initializer_list<QWidget*>{&SaveSizeLabel, &SaveWidth, &SaveTimes, &SaveHeight, &SaveSmooth})
        row->addWidget(control);
    row->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(SaveDialog1.layout()))
        grid->addWidget(&SaveOptions, grid->rowCount(), 0, 1, grid->columnCount());

    RenderTimer.setSingleShot(true);
    connect(&RenderTimer, &QTimer::timeout, this, [this] { RenderNow(); });
    SettleTimer.setSingleShot(true);
    connect(&SettleTimer, &QTimer::timeout, this, [this] { RequestRender(false); });

    move(screen()->geometry().center() - rect().center());
    State.Context.Prepared = std::move(prepared);
    FormCreate();
    ShowModeLine();
    Image1.setFocus();
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
    Viewer.DrawingView = State.View;
    ShowDrawing();
    FinishStart();
}

// What a successful start leaves besides the picture: the program's folder
// for the result file and the save dialog, and the hints in the status line.
void TForm2::FinishStart()
{
    ProgramFolder = QFile::encodeName(QCoreApplication::applicationDirPath() + '/').toStdString();
    SaveDialog1.setDirectory(QFile::decodeName(ProgramFolder.c_str()));
    LongHintHooked = true;
}

// Takes in a drawing just read: its draw list, findings, layers and heights.
void TForm2::ShowDrawing()
{
    DrawListChanged();
    Findings = CheckPlan(Record);
    // A drawing with warnings says so in the status line until the first hint.
    StatusBar1.showMessage(QString::fromStdString(WarningSummary(Findings)));
    SidePanel.ShowFindings(Findings, Record);
    SidePanel.ShowLayers(Record, State.HiddenLayers);
    SidePanel.SetCutRange(Extent.Empty ? 0 : Extent.Min[1] / 1000.0,
                          Extent.Empty ? 0 : Extent.Max[1] / 1000.0);
    State.Render.Marker.reset();
    PlanView.Look.Picked.reset();
    PlanView.update();
}

// The draw list is new: the zoom's limits and the lighter list follow it.
void TForm2::DrawListChanged()
{
    Extent = ExtentOf(State.Render.DrawList);
    StopDragList();
    DragListMaking = {};
    DragList = {};
    if (State.Render.DrawList.Faces.size() > DragListFaces)
        DragListMaking = std::async(std::launch::async, BuildDragList, std::cref(State.Render.DrawList));
}

// Waits for the lighter list being made, which reads the draw list, before
// the draw list changes.
void TForm2::StopDragList()
{
    if (DragListMaking.valid())
        DragListMaking.wait();
}

void TForm2::B_flatClick()
{
    State.Render.FlatShading = B_flat.isChecked();
    RenderFull();
}

void TForm2::B_gradClick()
{
    State.Render.FlatShading = B_flat.isChecked();
    RenderFull();
}

void TForm2::Button1Click()
{
    RenderFullIfNeeded();
    SaveWidth.setValue(State.Picture.Width);
    SaveHeight.setValue(State.Picture.Height);
    SaveSmooth.setChecked(false);
    if (!RunSaveDialog(SaveDialog1))
        return;
    const QStringList chosen = SaveDialog1.selectedFiles();
    if (chosen.isEmpty())
        return;
    try
    {
        WritePictureFile(QFile::encodeName(chosen.first()).toStdString());
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

void TForm2::B_walkClick()
{
    if (CanMove())
    {
        Perform(Viewer, TViewerAction::ToggleWalk, ModelList(), Extent, State.Render.AspectRatio);
        ViewChanged(false);
    }
    ShowModeLine();
}

void TForm2::B_helpClick()
{
    QWhatsThis::showText(Image1.mapToGlobal(QPoint(0, 0)), HelpText, &Image1);
}

void TForm2::ShowLongHint(const QString& hint)
{
    StatusBar1.showMessage(LongHint(hint));
}

void TForm2::B_panelClick()
{
    SidePanel.setVisible(B_panel.isChecked());
    // The window grows by the panel so that the picture keeps its size; a
    // window that fills the screen gives the panel the picture's room.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
    {
        Resized = true;
        LayOut();
        if (!State.StartError)
            RequestRender(true);
    }
    else
    {
        resize(width() + (B_panel.isChecked() ? PanelWidth : -PanelWidth), height());
        // Grown past the screen's right edge, the window moves left to show
        // the panel whole.
        const QRect screenArea = screen()->availableGeometry();
        const int over = frameGeometry().right() - screenArea.right();
        if (over > 0)
            move(std::max(x() - over, screenArea.left()), y());
    }
}

void TForm2::B_planClick()
{
    const bool plan = SidePanel.B_plan.isChecked();
    ScrollBox1.setVisible(!plan);
    PlanView.setVisible(plan);
    if (plan)
        PlanView.setFocus();
    else
        Image1.setFocus();
}

void TForm2::ShowFinding(size_t finding)
{
    if (finding >= Findings.size())
        return;
    const TFinding& chosen = Findings[finding];
    if (State.HiddenLayers[chosen.Slot])
        SidePanel.ShowLayer(chosen.Slot);
    PlanView.ShowFinding(finding);
    if (!CanMove())
        return;
    const TModelSpot spot = FindingSpot(chosen, Record);
    State.Render.Marker = spot;
    LookAtSpot(Viewer, spot);
    ViewChanged(false);
}

// No finding is picked: its marker and its ring go.
void TForm2::ClearFinding()
{
    PlanView.Look.Picked.reset();
    PlanView.update();
    if (State.Render.Marker)
    {
        State.Render.Marker.reset();
        RequestRender(false);
    }
}

void TForm2::LayersChanged()
{
    State.HiddenLayers = SidePanel.HiddenLayers();
    PlanView.Look.Hidden = State.HiddenLayers;
    PlanView.update();
    StopDragList();
    RebuildDrawList(State, &Record);
    DrawListChanged();
    RenderFull();
}

void TForm2::CutChanged()
{
    State.Render.CutHeight.reset();
    if (SidePanel.B_cut.isChecked())
        State.Render.CutHeight = float(SidePanel.CutField.value() * 1000);
    // While the slider is dragged the picture follows as it does a moving view.
    if (!State.StartError)
        RequestRender(SidePanel.CutSlider.isSliderDown());
}

void TForm2::B_reloadClick()
{
    StopDragList();
    const bool started = !State.StartError;
    if (const std::optional<std::string> error = ReloadDrawing(State, Record))
    {
        ShowErrorBox(this, QString::fromStdString(*error));
        return;
    }
    if (started)
        ChangeDrawingView(Viewer, State.View);
    else
    {
        Viewer.DrawingView = State.View;
        FinishStart();
        LayOut();
    }
    ShowDrawing();
    DeriveShownCamera(Viewer, State.Render);
    RenderFull();
}

void TForm2::B_exportClick()
{
    if (State.StartError)
        return;
    TExportDialog dialog(this);
    const std::optional<std::string> path = dialog.Run();
    if (!path)
        return;
    try
    {
        ExportShownModel(State.Render, ShownView(Viewer), Record, State.HiddenLayers, dialog.UnitName(),
                         *path, *path);
    }
    catch (const ProgramError& error)
    {
        ShowError(this, error);
    }
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

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &Image1)
        return QWidget::eventFilter(watched, event);
    switch (event->type())
    {
    case QEvent::KeyPress:
        return HandleKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        Dragging = CanMove();
        DragPans = mouse->button() != Qt::LeftButton || (mouse->modifiers() & Qt::ShiftModifier);
        DragAt = mouse->position();
        return true;
    }
    case QEvent::MouseMove:
    {
        if (!Dragging)
            return false;
        const QPointF at = static_cast<QMouseEvent*>(event)->position();
        const double right = (at.x() - DragAt.x()) / Image1.width();
        const double down = (at.y() - DragAt.y()) / Image1.height();
        DragAt = at;
        if (DragPans)
            DragPan(Viewer, right, down, State.Render.AspectRatio);
        else
            DragTurn(Viewer, right, down);
        ViewChanged(true);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (Dragging && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
        {
            Dragging = false;
            RequestRender(false);
        }
        return true;
    case QEvent::Wheel:
    {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (!CanMove())
            return true;
        const QPointF at = wheel->position();
        WheelZoom(Viewer, wheel->angleDelta().y() / 120.0, (at.x() + 0.5) / Image1.width() - 0.5,
                  0.5 - (at.y() + 0.5) / Image1.height(), State.Render.AspectRatio, Extent);
        ViewChanged(true);
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKey(event))
        QWidget::keyPressEvent(event);
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (size() != QSize(StartWidth + PanelSpace(), StartHeight))
        Resized = true;
    LayOut();
    if (Resized && !State.StartError)
        RequestRender(true);
}

// The view can move once a drawing with something to draw has been read.
bool TForm2::CanMove() const
{
    return !State.StartError && !State.Render.DrawList.Faces.empty();
}

// The model for framing and walking: the lighter list once it is made, with
// the same outline and fewer vertices to look at.
const TDrawList& TForm2::ModelList()
{
    if (DragListMaking.valid() &&
        DragListMaking.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        DragList = DragListMaking.get();
    return DragList.List.Faces.empty() ? State.Render.DrawList : DragList.List;
}

bool TForm2::HandleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_C && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
    {
        CopyView();
        return true;
    }
    if (event->key() == Qt::Key_C && modifiers == Qt::ControlModifier)
    {
        CopyPicture();
        return true;
    }
    if (event->key() == Qt::Key_F1)
    {
        B_helpClick();
        return true;
    }
    if (event->key() == Qt::Key_F5)
    {
        B_reloadClick();
        return true;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const TViewerAction action = ActionForKey(ViewerKey(event->key()), KeyCharacter(*event), Viewer.Walking);
    if (action == TViewerAction::None)
        return false;
    if (CanMove())
    {
        Perform(Viewer, action, ModelList(), Extent, State.Render.AspectRatio);
        ViewChanged(event->isAutoRepeat());
    }
    return true;
}

void TForm2::ViewChanged(bool moving)
{
    DeriveShownCamera(Viewer, State.Render);
    StatusBar1.showMessage(QString::fromStdString(ViewStatus(ShownView(Viewer))));
    ShowModeLine();
    RequestRender(moving);
}

// A render is asked for and made once the event loop has taken what input
// has come. While the view moves the full picture waits until it stops: the
// drag ends, or no wheel turn, resize or repeated key has come for a while.
void TForm2::RequestRender(bool moving)
{
    if (moving)
    {
        MovingPending = true;
        // A drag's end asks for the full picture itself.
        if (!Dragging)
            SettleTimer.start(SettleMilliseconds);
    }
    else
    {
        FullPending = true;
        SettleTimer.stop();
    }
    if (!RenderTimer.isActive())
        RenderTimer.start(0);
}

void TForm2::RenderNow()
{
    if (!MovingPending && !FullPending)
        return;
    const bool full = FullPending;
    MovingPending = FullPending = false;
    RenderTimer.stop();
    ModelList();
    FullShown = full || DragList.List.Faces.empty();
    // The full picture needs no second render once the view stops.
    if (FullShown)
        SettleTimer.stop();
    const bool drawable = State.Picture.Width >= SmallestPicture && State.Picture.Height >= SmallestPicture;
    if (drawable && FullShown)
        RenderView(State.Context, State.Picture, State.Render);
    else if (drawable)
    {
        FacesInView(DragList, State.Render.Camera, State.Render.AspectRatio, State.Render.Orthographic,
                    FacesInDragView);
        RenderFaces(State.Context, State.Picture, State.Render, DragList.List, FacesInDragView);
    }
    ShowPicture();
}

bool TForm2::ShowsFullPicture() const
{
    return FullShown && !FullPending && !MovingPending;
}

void TForm2::RenderFull()
{
    RequestRender(false);
    RenderNow();
}

void TForm2::RenderFullIfNeeded()
{
    if (!ShowsFullPicture())
        RenderFull();
}

// The scroll box and the status line follow the window's size; once it has
// been resized the picture fills the scroll box, at the screen's pixel ratio.
void TForm2::LayOut()
{
    ScrollBox1.setGeometry(4, 44, width() - 4 - BoxRightMargin - PanelSpace(),
                           height() - 44 - BoxBottomMargin);
    PlanView.setGeometry(ScrollBox1.geometry());
    SidePanel.setGeometry(width() - 4 - (PanelWidth - 6), 4, PanelWidth - 6, height() - 8 - StatusHeight);
    StatusBar1.setGeometry(0, height() - StatusHeight, width(), StatusHeight);
    if (!Resized || State.StartError)
        return;
    const QSize area = ScrollBox1.viewport()->size() - QSize(PictureMargin, PictureMargin);
    Image1.setGeometry(3, 3, std::max(area.width(), 0), std::max(area.height(), 0));
    const double ratio = devicePixelRatioF();
    TPicture& picture = State.Picture;
    picture.Width = std::clamp(int(std::lround(Image1.width() * ratio)), 0, LargestPicture);
    picture.Height = std::clamp(int(std::lround(Image1.height() * ratio)), 0, LargestPicture);
    picture.Pixels.assign(size_t(picture.Width) * size_t(picture.Height), 0xFF000000u);
    if (picture.Width > 0 && picture.Height > 0)
        State.Render.AspectRatio = double(picture.Width) / picture.Height;
}

// Shows the picture as it was rendered, pixel for pixel, its fourth byte
// taken as opaque whatever it holds; too small a picture shows nothing.
void TForm2::ShowPicture()
{
    const TPicture& picture = State.Picture;
    if (picture.Width < SmallestPicture || picture.Height < SmallestPicture)
    {
        Image1.clear();
        return;
    }
    QImage shown(picture.Width, picture.Height, QImage::Format_RGB32);
    for (int y = 0; y < picture.Height; ++y)
    {
        auto* row = reinterpret_cast<uint32_t*>(shown.scanLine(y));
        for (int x = 0; x < picture.Width; ++x)
            row[x] = picture.Pixels[size_t(y) * picture.Width + x] | 0xFF000000u;
    }
    QPixmap pixmap = QPixmap::fromImage(shown);
    // Until the window is resized the picture is the 400 by 300 one, shown
    // scaled on a screen whose pixel ratio is not 1.
    if (Resized)
        pixmap.setDevicePixelRatio(devicePixelRatioF());
    Image1.setPixmap(pixmap);
}

int TForm2::PanelSpace() const
{
    return SidePanel.isVisibleTo(this) ? PanelWidth : 0;
}

void TForm2::ShowModeLine()
{
    ModeLabel.setText(QString::fromStdString(ModeLine(Viewer.Walking, Viewer.View.Orthographic)));
    B_walk.setChecked(Viewer.Walking);
}

void TForm2::CopyPicture()
{
    RenderFullIfNeeded();
    QGuiApplication::clipboard()->setImage(Image1.pixmap().toImage());
}

// The companion's options that draw what is shown, and the drawing's texts
// for the same view, on the clipboard and as the selection.
void TForm2::CopyView()
{
    if (State.StartError)
        return;
    TPictureOptions picture;
    if (Resized)
        picture.Size = std::array<int, 2>{State.Picture.Width, State.Picture.Height};
    picture.Orthographic = Viewer.View.Orthographic;
    picture.Flat = State.Render.FlatShading;
    for (int slot = 0; slot < LayerSlotCount; ++slot)
        if (State.HiddenLayers[size_t(slot)])
            picture.HiddenLayers.push_back(slot);
    picture.Cut = State.Render.CutHeight;
    const TViewParameters view = ShownView(Viewer);
    const QString text = QString::fromStdString(CompanionOptions(view, picture) + "\n" +
                                                DrawingTextsLine(view, Viewer.View.Orthographic));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

// What is shown, or the same view at another size (with true proportions)
// or with four samples a pixel, as the save dialog asks.
void TForm2::WritePictureFile(const std::string& path)
{
    const int width = SaveWidth.value(), height = SaveHeight.value();
    const bool smooth = SaveSmooth.isChecked();
    if (width == State.Picture.Width && height == State.Picture.Height && !smooth)
    {
        WritePicture(State.Picture, path);
        return;
    }
    TPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Pixels.assign(size_t(width) * size_t(height), 0xFF000000u);
    TRenderState& render = State.Render;
    const double aspect = std::exchange(render.AspectRatio, double(width) / height);
    const int samples = std::exchange(State.Context.Samples, smooth ? 4 : 1);
    const bool drawn = RenderView(State.Context, picture, render);
    render.AspectRatio = aspect;
    State.Context.Samples = samples;
    if (!drawn)
        throw FileCreateError(path);
    WritePicture(picture, path);
}
