#pragma once

#include "model/build_record.h"
#include "start/start_sequence.h"

#include <future>

#include <string>

#include <QButtonGroup>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>
#include <QWidget>

// The main window. Creating it runs the whole start once (FormCreate);
// destroying it writes the empty result file (FormDestroy). The controls are
// declared holder first, so that each is destroyed before its holder.
class TForm2 : public QWidget
{
public:
    // prepared: the context the first render takes, made on another thread
    // while the window is built.
    explicit TForm2(std::future<OSMesaContext> prepared = {});
    ~TForm2() override;

    QFrame Panel1;
    QLabel StaticText17;
    QToolButton B_flat;
    QToolButton B_grad;
    QButtonGroup ShadingGroup; // group 1: exactly one of B_flat and B_grad is down
    QPushButton Button1;
    QPushButton Button2;
    QScrollArea ScrollBox1;
    QLabel Image1;
    QStatusBar StatusBar1;
    QFileDialog SaveDialog1;

    TStartState State;
    // What the build kept of the drawing, for the plan check.
    TBuildRecord Record;
    std::string ProgramFolder;   // empty until a start has succeeded
    bool LongHintHooked = false; // set by the last step of a successful start

    void FormCreate();
    void B_flatClick();
    void B_gradClick();
    void Button1Click();
    void Button2Click();
    void ShowLongHint(const QString& hint);
    void FormDestroy();

protected:
    // Receives the status tips that hovered controls send up to the window.
    bool event(QEvent* event) override;

private:
    void RenderAndShow();
    void ShowPicture();
};
