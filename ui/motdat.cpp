#include "motdat.h"

#include "circuit_pictures.h"
#include "controls.h"
#include "error_box.h"
#include "format_value.h"
#include "helptext.h"
#include "motor_model.h"
#include "number_parse.h"
#include "per_unit.h"
#include "virtual_keys.h"
#include "warning_widgets.h"
#include "window_frame.h"
#include "window_icon.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWindow>

#include <array>
#include <utility>

namespace {

// Frame and title bar included. The client area, where all positions below
// are measured, is what the menu bar leaves of it.
constexpr QSize OuterDesignSize{541, 514};

const Look WindowFont{};
const Look Heading{FontName::MSSansSerif, 13, true, Blue};
const Look RowLabel{FontName::MSSansSerif, 13, false, Black};
const Look DiagramLabel{FontName::Arial, 12, false, Black};
const Look PerUnit{FontName::MSSansSerif, 11, false, Green};

const QColor ValidBase{255, 255, 255};
const QColor InvalidBase{255, 255, 0};

constexpr int InputRows = 6;
constexpr int ResultRows = 4;
constexpr int ArrayLeft = 32;
constexpr int InputTop = 40;

QString Text(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string StdText(const QLineEdit* box) {
    return box->text().toStdString();
}

void SetBackground(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

// The character a key press types, as the PC keyboard numbering has it:
// Ctrl with a letter types its control character (Ctrl+C is 3). 0 for a
// key that types nothing.
char16_t TypedCharacter(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
        return 0; // menu mnemonics, not characters
    }
    switch (event.key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    if ((mods & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return static_cast<char16_t>(event.key() - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return 0;
    }
    // A key that types several characters at once cannot be numeric input.
    return text.size() == 1 ? text.at(0).unicode() : char16_t(0xFFFF);
}

} // namespace

TMotorForm::TMotorForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Induction motor data  (v. 1.1.1)"));
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIcon())));
    setFont(NamedFont(FontName::MSSansSerif, 11));
    CreateMenu();
    client_ = new QWidget(this);
    setCentralWidget(client_);
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
    FormCreate();
    NameControls();
    resize(ClientSizeFor(OuterDesignSize));
    CentreOnScreen(*this);
}

TMotorForm::~TMotorForm() {
    qApp->removeEventFilter(this);
}

void TMotorForm::CreateMenu() {
    FileMenu = menuBar();
    File1 = FileMenu->addMenu(QStringLiteral("&File"));
    ExitItem = File1->addAction(QStringLiteral("E&xit"));
    Help1 = FileMenu->addAction(QStringLiteral("&Help"));
}

// One line per control, in the order of the window's description.
void TMotorForm::CreateControls() {
    QWidget* w = client_;
    TopBut = new QToolButton(w);
    TopBut->setGeometry(8, 8, 25, 25);
    TopBut->setText(QStringLiteral("^"));
    ApplyLook(*TopBut, {FontName::Arial, 16, true, Black});
    TopBut->setToolTip(QStringLiteral("Keep always visible"));
    TopBut->setCheckable(true);
    TopBut->setFocusPolicy(Qt::NoFocus);

    InputLab = MakeLabel(w, {40, 16}, "INPUT", Heading);
    Freq50 = new QRadioButton(QStringLiteral("50 Hz"), w);
    Freq50->setGeometry(120, 8, 57, 17);
    Freq50->setChecked(true);
    Freq60 = new QRadioButton(QStringLiteral("60 Hz"), w);
    Freq60->setGeometry(120, 24, 57, 17);
    CalcBut = new QPushButton(QStringLiteral("Calculate"), w);
    CalcBut->setGeometry(184, 11, 81, 25);
    ApplyLook(*CalcBut, {FontName::Arial, 11, false, Black});
    CalcBut->setFocusPolicy(Qt::ClickFocus); // not a Tab stop
    MVAEdit = MakeEditBox(w, {280, 16, 57, 19}, "1", WindowFont, "base power in MVA");
    Label2 = MakeLabel(w, {332, 0}, "( f o r   o u t p u t   o n l y )",
                       {FontName::Arial, 11, false, Blue});
    BaseLabel =
        MakeFixedLabel(w, {344, 17, 97, 21}, "MVA  -base-  kV", {FontName::Arial, 13, false, Blue});
    kVEdit = MakeEditBox(w, {448, 16, 57, 19}, "1", WindowFont, "base voltage in kV");
    ZLabel = MakeFixedLabel(w, {408, 41, 121, 21}, "base Z", {FontName::Arial, 11, false, Blue});
    ZLabel->setToolTip(QStringLiteral("base impedance = kV*kV/MVA"));
    VoltLab = MakeLabel(w, {152, 40}, "nominal phase to phase voltage  kV", RowLabel);
    PowLab = MakeLabel(w, {152, 64}, "nominal  active, useful power  kW", RowLabel);
    SlipLab = MakeLabel(w, {152, 88}, "nominal slip, between 0.5 and 0.001", RowLabel);
    EffLab = MakeLabel(w, {152, 112}, "nominal electrical efficiency, between  0.5 and 1-slip",
                       RowLabel);
    pfLab = MakeLabel(w, {152, 136}, "nominal  power factor, between 0.5 and 0.999", RowLabel);
    LockLab = MakeLabel(w, {152, 160}, "locked rotor current / nominal current, larger than 1.5",
                        RowLabel);
    AtLabel = MakeLabel(w, {400, 175}, "at", {FontName::Arial, 13, false, Blue});
    FreqEdit = MakeEditBox(w, {416, 175, 49, 19}, "50", WindowFont, "");
    HzLabel = MakeLabel(w, {468, 175}, "Hz", {FontName::Arial, 13, false, Blue});
    dqpuEdit = MakeOutputBox(w, {104, 177, 73, 19}, PerUnit);
    StatRpuEdit = MakeOutputBox(w, {176, 177, 73, 19}, PerUnit);
    RotRpuEdit = MakeOutputBox(w, {248, 177, 73, 19}, PerUnit);
    RotLpuEdit = MakeOutputBox(w, {320, 177, 73, 19}, PerUnit);
    OutputLab = MakeLabel(w, {32, 192}, "OUTPUT", Heading);
    dqEdit = MakeOutputBox(w, {104, 196, 73, 19}, {FontName::MSSansSerif, 11, false, Black});
    StatRedit = MakeOutputBox(w, {176, 196, 73, 19}, WindowFont);
    RotRedit = MakeOutputBox(w, {248, 196, 73, 19}, WindowFont);
    RotLedit = MakeOutputBox(w, {320, 196, 73, 19}, WindowFont);
    MagEdit = MakeOutputBox(w, {256, 248, 73, 19}, WindowFont);
    MagPuEdit = MakeOutputBox(w, {256, 267, 73, 19}, PerUnit);
    LsLab = MakeLabel(w, {120, 228}, "Ls-1.5Lsr ", DiagramLabel);
    RsLab = MakeLabel(w, {208, 228}, " Rs ", DiagramLabel);
    RrLab = MakeLabel(w, {272, 228}, "Rr'", DiagramLabel);
    LrLab = MakeLabel(w, {320, 228}, "Lr'-1.5Lsr", DiagramLabel);
    LmLab = MakeLabel(w, {208, 248}, "1.5Lsr", DiagramLabel);
    LoadLab = MakeLabel(w, {384, 248}, "(1-s) Rr' /  s ", DiagramLabel);

    ErrMemo = new QPlainTextEdit(w);
    ErrMemo->setGeometry(32, 216, 73, 81);
    ApplyLook(*ErrMemo, {FontName::Arial, 11, false, Red});
    ErrMemo->setReadOnly(true);
    ErrMemo->setPlainText(QString());
    // Lines beyond the box are reached by keys and the wheel; a scroll bar
    // would hide the ends of the lines behind it.
    ErrMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ErrMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ErrMemo->viewport()->setMouseTracking(true);
    ErrMemo->hide();
    OKBut = new QPushButton(QStringLiteral("OK"), w);
    OKBut->setGeometry(472, 64, 25, 49);
    ApplyLook(*OKBut, {FontName::Arial, 13, true, Blue});
    OKBut->hide();

    ResLab = MakeLabel(w, {32, 304}, "Use the results in the following way for UM3 in VOLTARAdraw:",
                       {FontName::Arial, 13, true, Blue});
    MagnLab = MakeLabel(w, {200, 328}, "= LMUD = LMUQ of magnetization", RowLabel);
    LdLqLab = MakeLabel(w, {200, 352}, "= Ld = Lq of stator,  =  L1 = L2 of rotor", RowLabel);
    RstatLab = MakeLabel(w, {200, 376}, "= Rd = Rq of stator", RowLabel);
    RrotLab = MakeLabel(w, {200, 400}, "= R1 = R2 of rotor", RowLabel);
    AddLab = MakeLabel(w, {32, 424},
                       "In addition, set Stator coupling = Y,  Rotor coils: d = q = 1, Stator L0 "
                       "= R0 = 0",
                       RowLabel);

    // The circuit: series branch along y 223-224, shunts down x 247-248 and 375-376.
    Image5 = MakePicture(w, {120, 220, 16, 8}, CircuitPicture::HorizontalLine);
    statind = MakePicture(w, {136, 208, 32, 32}, CircuitPicture::HorizontalCoil);
    statline = MakePicture(w, {168, 220, 32, 9}, CircuitPicture::HorizontalLine);
    statres = MakePicture(w, {200, 208, 32, 32}, CircuitPicture::HorizontalResistor);
    srline = MakePicture(w, {232, 220, 32, 8}, CircuitPicture::HorizontalLine);
    upline = MakePicture(w, {244, 224, 8, 16}, CircuitPicture::VerticalLine);
    magind = MakePicture(w, {232, 240, 32, 32}, CircuitPicture::VerticalCoil);
    lowline = MakePicture(w, {244, 272, 8, 16}, CircuitPicture::VerticalLine);
    rotres = MakePicture(w, {264, 208, 32, 32}, CircuitPicture::HorizontalResistor);
    rotline = MakePicture(w, {296, 220, 32, 8}, CircuitPicture::HorizontalLine);
    rotind = MakePicture(w, {328, 208, 32, 32}, CircuitPicture::HorizontalCoil);
    Image1 = MakePicture(w, {360, 220, 16, 8}, CircuitPicture::HorizontalLine);
    Image2 = MakePicture(w, {372, 224, 8, 16}, CircuitPicture::VerticalLine);
    Loadres = MakePicture(w, {360, 240, 32, 32}, CircuitPicture::VerticalResistor);
    Image3 = MakePicture(w, {372, 272, 8, 16}, CircuitPicture::VerticalLine);
    Image4 = MakePicture(w, {120, 284, 256, 8}, CircuitPicture::LongLine);
    // Pictures lie under the boxes and labels that overlap them.
    for (TPicture* picture : {Image5, statind, statline, statres, srline, upline, magind, lowline,
                              rotres, rotline, rotind, Image1, Image2, Loadres, Image3, Image4}) {
        picture->lower();
    }
}

void TMotorForm::SetTabOrder() {
    const std::array<QWidget*, 18> order{MagEdit,     dqEdit,     StatRedit, RotRedit, CalcBut,
                                         RotLedit,    Freq50,     Freq60,    ErrMemo,  OKBut,
                                         dqpuEdit,    MVAEdit,    kVEdit,    FreqEdit, MagPuEdit,
                                         StatRpuEdit, RotRpuEdit, RotLpuEdit};
    // The edit arrays count their places from the start of the window's
    // focus chain, but setTabOrder treats the chain as a ring: linked pair
    // by pair, the ring comes out right yet may start at a control created
    // before MagEdit. Putting each control straight behind MagEdit, the last
    // one first, leaves MagEdit at the start.
    for (std::size_t i = order.size() - 1; i >= 1; --i) {
        QWidget::setTabOrder(order[0], order[i]);
    }
}

void TMotorForm::ConnectHandlers() {
    const auto guarded = [this](void (TMotorForm::*handler)()) {
        return [this, handler] { Guarded(this, [&] { (this->*handler)(); }); };
    };
    connect(CalcBut, &QPushButton::clicked, this, guarded(&TMotorForm::CalcButClick));
    connect(Freq50, &QRadioButton::clicked, this, guarded(&TMotorForm::Freq50Click));
    connect(Freq60, &QRadioButton::clicked, this, guarded(&TMotorForm::Freq60Click));
    connect(OKBut, &QPushButton::clicked, this, guarded(&TMotorForm::OKButClick));
    connect(ExitItem, &QAction::triggered, this, guarded(&TMotorForm::ExitItemClick));
    connect(TopBut, &QToolButton::clicked, this, guarded(&TMotorForm::TopButClick));
    connect(Help1, &QAction::triggered, this, guarded(&TMotorForm::Help1Click));
    // The warning box's mouse moves need no filter of their own: the key
    // preview filter of FormCreate sees every event of the application, and
    // a second filter would run ErrMemoMouseMove twice per move.
}

void TMotorForm::FormCreate() {
    // Key preview: this window's filter sees its controls' keys first.
    qApp->installEventFilter(this);
    SeparatorChar = FindDecimalSeparator();

    InputArray = std::make_unique<TEditArray>();
    InputArray->Initialize(this, client_, ArrayLeft, InputTop, InputRows, 1);
    int32_t w = 0;
    int32_t h = 0;
    InputArray->GetWidth(w);
    InputArray->GetHeight(h);
    const int p = h / InputRows;
    const int x = w + 40;
    int top = 42;
    for (QLabel* label : {VoltLab, PowLab, SlipLab, EffLab, pfLab, LockLab}) {
        label->move(x, top);
        top += p;
    }

    const int t = ResLab->y() + 32;
    ResultArray = std::make_unique<TEditArray>();
    ResultArray->Initialize(this, client_, ArrayLeft, t, ResultRows, 1);
    ResultArray->SetColumnReadOnly(1);
    // The result rows are taken to have the input rows' pitch.
    top = t + 2;
    for (QLabel* label : {MagnLab, LdLqLab, RstatLab, RrotLab}) {
        label->move(x, top);
        top += p;
    }
    AddLab->move(AddLab->x(), t + 2 + 5 * p);

    const std::array<float, InputRows> defaults{1.0f, 10.0f, 0.02f, 0.9f, 0.8f, 5.0f};
    for (int row = 1; row <= InputRows; ++row) {
        InputArray->PutEntry(row, 1, defaults[static_cast<std::size_t>(row - 1)]);
    }

    ErrMemo->resize(300, ErrMemo->height());
    ErrMemo->move(Image4->x(), Image4->y() + 16);
    OKBut->setGeometry(ErrMemo->x() + ErrMemo->width(), ErrMemo->y(), OKBut->width(),
                       ErrMemo->height());
}

// Nothing visible: screen readers name a box by its accessible name, while
// the window's labels stand beside the boxes. Buttons are named by their
// captions already.
void TMotorForm::NameControls() {
    const std::pair<QWidget*, const char*> names[] = {
        {MagEdit, "magnetizing inductance"},
        {dqEdit, "stator leakage inductance"},
        {StatRedit, "stator resistance"},
        {RotRedit, "rotor resistance"},
        {RotLedit, "rotor leakage inductance"},
        {MagPuEdit, "magnetizing inductance per unit"},
        {dqpuEdit, "stator leakage inductance per unit"},
        {StatRpuEdit, "stator resistance per unit"},
        {RotRpuEdit, "rotor resistance per unit"},
        {RotLpuEdit, "rotor leakage inductance per unit"},
        {MVAEdit, "base power in MVA"},
        {kVEdit, "base voltage in kV"},
        {FreqEdit, "frequency in Hz for the per unit values"},
        {ErrMemo, "warnings"},
    };
    for (const auto& [control, name] : names) {
        control->setAccessibleName(QString::fromLatin1(name));
    }
    const std::array<QLabel*, InputRows> inputLabels{VoltLab, PowLab, SlipLab,
                                                     EffLab,  pfLab,  LockLab};
    for (int row = 1; row <= InputRows; ++row) {
        InputArray->Box(row, 1)->setAccessibleName(
            inputLabels[static_cast<std::size_t>(row - 1)]->text());
    }
    const std::array<QLabel*, ResultRows> resultLabels{MagnLab, LdLqLab, RstatLab, RrotLab};
    for (int row = 1; row <= ResultRows; ++row) {
        ResultArray->Box(row, 1)->setAccessibleName(
            resultLabels[static_cast<std::size_t>(row - 1)]->text());
    }
}

void TMotorForm::FormKeyPress(char16_t& key) {
    const bool passes = (key >= u'0' && key <= u'9') || key == u',' || key == u'.' ||
                        key == 8 /* backspace */ || key == 24 /* cut */ || key == 3 /* copy */ ||
                        key == 22 /* paste */;
    if (!passes) {
        key = 0;
        return;
    }
    if (SeparatorChar == ',' && key == u'.') {
        key = u',';
    } else if (SeparatorChar == '.' && key == u',') {
        key = u'.';
    }
    if (InputArray->tagBset() && key == static_cast<char16_t>(SeparatorChar)) {
        key = 0;
    }
}

void TMotorForm::CalcButClick() {
    const float frequency = Freq50->isChecked() ? 50.0f : 60.0f;
    MemoWarningBox memo(*ErrMemo);
    WidgetWarningControl ok(*OKBut);
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = ok};
    CalcEquivalentCircuit(*InputArray, circuit, frequency);

    MagEdit->setText(Text(FormatValue(circuit.Magnetizing) + "H"));
    dqEdit->setText(Text(FormatValue(circuit.StatorLeakage) + "H"));
    StatRedit->setText(Text(FormatValue(circuit.StatorResistance) + "ohm"));
    RotRedit->setText(Text(FormatValue(circuit.RotorResistance) + "ohm"));
    RotLedit->setText(Text(FormatValue(circuit.RotorLeakage) + "H"));

    ResultArray->WriteEntry(1, 1, Text(FormatValue(circuit.Magnetizing) + " H"));
    ResultArray->WriteEntry(2, 1, Text(FormatValue(circuit.StatorLeakage) + " H"));
    ResultArray->WriteEntry(3, 1, Text(FormatValue(circuit.StatorResistance) + " ohm"));
    ResultArray->WriteEntry(4, 1, Text(FormatValue(circuit.RotorResistance) + " ohm"));

    ShowPerUnit(circuit);
}

void TMotorForm::Freq50Click() {}

void TMotorForm::Freq60Click() {}

void TMotorForm::ShowPerUnit(const TEquivalentCircuit& circuit) {
    // Each text goes to its control as soon as it is made; an empty one as
    // the null text the controls started with.
    class Boxes final : public PerUnitSink {
    public:
        Boxes(QLabel* label, std::array<QLineEdit*, 5> boxes) : label_(label), boxes_(boxes) {}
        void WriteBaseImpedance(const std::string& text) override { label_->setText(Of(text)); }
        void WritePerUnit(std::size_t position, const std::string& text) override {
            boxes_[position]->setText(Of(text));
        }

    private:
        static QString Of(const std::string& text) { return text.empty() ? QString() : Text(text); }
        QLabel* label_;
        std::array<QLineEdit*, 5> boxes_;
    };

    const PerUnitBases bases =
        ReadPerUnitBases(StdText(MVAEdit), StdText(kVEdit), StdText(FreqEdit));
    Boxes sink(ZLabel, {MagPuEdit, dqpuEdit, StatRpuEdit, RotRpuEdit, RotLpuEdit});
    WritePerUnitDisplay(bases, circuit, sink);
    SetBackground(FreqEdit, bases.Freq.Valid() ? ValidBase : InvalidBase);
    SetBackground(MVAEdit, bases.MVA.Valid() ? ValidBase : InvalidBase);
    SetBackground(kVEdit, bases.kV.Valid() ? ValidBase : InvalidBase);
}

void TMotorForm::OKButClick() {
    OKBut->hide();
    ErrMemo->hide();
}

void TMotorForm::ExitItemClick() {
    QCoreApplication::quit();
}

void TMotorForm::TopButClick() {
    // Only the stacking of the native window changes. Setting the widget's
    // flag would re-create that window: it flickers, and without a window
    // manager the keyboard focus falls out of it.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, TopBut->isChecked());
    overrideWindowFlags(flags);
    if (QWindow* const handle = windowHandle()) {
        handle->setFlags(flags);
    }
    if (TopBut->isChecked()) {
        raise();
    }
}

void TMotorForm::FormKeyUp(uint16_t key, Qt::KeyboardModifiers) {
    if (key == vk::Up || key == vk::Right) {
        return;
    }
    for (int row = 1; row <= ResultRows; ++row) {
        ResultArray->WriteEntry(row, 1, QStringLiteral(" "));
    }
    for (QLineEdit* box : {MagEdit, dqEdit, StatRedit, RotRedit, RotLedit, MagPuEdit, dqpuEdit,
                           StatRpuEdit, RotRpuEdit, RotLpuEdit}) {
        box->setText(QString());
    }
    ZLabel->setText(QString());
}

void TMotorForm::Help1Click() {
    if (HelpForm == nullptr) {
        return;
    }
    HelpForm->setWindowState(HelpForm->windowState() &
                             ~(Qt::WindowMinimized | Qt::WindowMaximized));
    HelpForm->setVisible(true);
}

void TMotorForm::ErrMemoMouseMove(Qt::MouseButtons buttons, int x, int y) {
    if (buttons & Qt::LeftButton) {
        ErrMemo->move(ErrMemo->x() + x - GrabX, ErrMemo->y() + y - GrabY);
        OKBut->move(ErrMemo->x() + ErrMemo->width(), ErrMemo->y());
    } else {
        GrabX = x;
        GrabY = y;
    }
}

bool TMotorForm::IsOwnControl(QObject* object) const {
    const auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || widget->window() != this) {
        return false;
    }
    // A key event that a control ignores travels on to its parents; the
    // window previews it once, where it was first delivered.
    QWidget* const focus = QApplication::focusWidget();
    return focus != nullptr ? widget == focus : widget == this;
}

void TMotorForm::SendKey(QObject* receiver, const QKeyEvent& event, int key, char16_t typed) {
    QKeyEvent changed(event.type(), key, event.modifiers(), event.nativeScanCode(),
                      event.nativeVirtualKey(), event.nativeModifiers(),
                      typed == 0 ? QString() : QString(QChar(typed)), event.isAutoRepeat(),
                      static_cast<quint16>(event.count()));
    forwardingKey_ = true;
    QCoreApplication::sendEvent(receiver, &changed);
    forwardingKey_ = false;
}

bool TMotorForm::PreviewKeyPress(QObject* receiver, QKeyEvent& event) {
    if (IsPushButtonEnter(receiver, event)) {
        SendKey(receiver, event, Qt::Key_Space, 0);
        return true;
    }
    const char16_t typed = TypedCharacter(event);
    if (typed == 0) {
        return false;
    }
    char16_t key = typed;
    FormKeyPress(key);
    if (key == typed) {
        return false;
    }
    // The control still sees the key, with the changed character or none:
    // the edit array follows its number keys, and a button is pressed by
    // Space whatever becomes of the blank. Any other key whose character is
    // dropped is dropped whole, so that a text box takes no shortcut from it.
    if (key == 0 && !IsNumberKey(VirtualKeyOf(event)) &&
        qobject_cast<QAbstractButton*>(receiver) == nullptr) {
        return true;
    }
    SendKey(receiver, event, event.key(), key);
    return true;
}

// Enter presses a focused push button as Space does, on the release, so that
// the release clears the results before the click writes them again.
bool TMotorForm::IsPushButtonEnter(QObject* receiver, const QKeyEvent& event) {
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           qobject_cast<QPushButton*>(receiver) != nullptr;
}

bool TMotorForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ErrMemo->viewport() && event->type() == QEvent::MouseMove) {
        const auto& mouse = static_cast<QMouseEvent&>(*event);
        const QPoint at = mouse.position().toPoint();
        Guarded(this, [&] { ErrMemoMouseMove(mouse.buttons(), at.x(), at.y()); });
        return false;
    }
    const bool keyPress = event->type() == QEvent::KeyPress;
    const bool keyRelease = event->type() == QEvent::KeyRelease;
    if ((keyPress || keyRelease) && !forwardingKey_ && IsOwnControl(watched)) {
        auto& key = static_cast<QKeyEvent&>(*event);
        bool eaten = false;
        if (keyPress) {
            Guarded(this, [&] { eaten = PreviewKeyPress(watched, key); });
        } else {
            Guarded(this, [&] { FormKeyUp(VirtualKeyOf(key), key.modifiers()); });
            if (IsPushButtonEnter(watched, key)) {
                SendKey(watched, key, Qt::Key_Space, 0);
                eaten = true;
            }
        }
        return eaten;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMotorForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, the help window with it.
    QCoreApplication::quit();
}
