// Random input into the main window: key presses, key releases and left
// clicks drawn from a fixed seed, presses and releases apart, so that keys
// stay held and keys come up that never went down. The window must outlive
// them all; the boxes a user types into hold digits and separators only
// (nothing is pasted); an input box that a release or a click has shown to
// hold a separator takes no further one; the only modal boxes are the
// program's error boxes, which are closed and counted.
//
// MONKEY_SEED and MONKEY_EVENTS reproduce a run; a failure names the event's
// number, the event and the seed.
#include "motor_session.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* const value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : fallback;
}

int SeparatorCount(const QString& text) {
    return static_cast<int>(text.count(u'.') + text.count(u','));
}

bool DigitsAndSeparatorsOnly(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u','; });
}

enum Kind { Press, Release, Click };

struct Event {
    Kind kind;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint at; // in the window's pixels
};

class Monkey : public MainWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindow::SetUp());
        for (int row = 1; row <= 6; ++row) {
            typed_.push_back(&W().Input(row));
        }
        typed_.insert(typed_.end(), {F().MVAEdit, F().kVEdit, F().FreqEdit});
        // Half the clicks aim at a control: Calculate thrice as often as the
        // others, the input boxes twice.
        std::vector<QWidget*> targets{F().CalcBut, F().CalcBut, F().CalcBut, F().Freq50,
                                      F().Freq60,  F().TopBut,  F().OKBut,   F().ErrMemo};
        targets.insert(targets.end(), typed_.begin(), typed_.end());
        targets.insert(targets.end(), typed_.begin(), typed_.begin() + 6);
        for (int row = 1; row <= 4; ++row) {
            targets.push_back(&W().Result(row));
        }
        for (QWidget* target : targets) {
            targets_.push_back({target, target->rect()});
        }
        for (QAction* item : {F().File1->menuAction(), F().Help1}) {
            targets_.push_back({F().FileMenu, F().FileMenu->actionGeometry(item)});
        }
    }

    int Pick(std::size_t n) { return static_cast<int>(rng_() % n); }

    // In percent: digits 30, separators 12, Backspace and Delete 10, moves
    // 22, letters 10, function keys 4, other characters and keys 12.
    Qt::Key DrawKey() {
        static constexpr std::array Moves{Qt::Key_Left, Qt::Key_Right,  Qt::Key_Home,
                                          Qt::Key_End,  Qt::Key_Up,     Qt::Key_Down,
                                          Qt::Key_Tab,  Qt::Key_Backtab};
        static constexpr std::array Others{
            Qt::Key_Minus,      Qt::Key_Plus,      Qt::Key_Space,       Qt::Key_Slash,
            Qt::Key_Semicolon,  Qt::Key_Equal,     Qt::Key_Asterisk,    Qt::Key_Apostrophe,
            Qt::Key_NumberSign, Qt::Key_ParenLeft, Qt::Key_BracketLeft, Qt::Key_Return,
            Qt::Key_Enter,      Qt::Key_Escape,    Qt::Key_PageUp,      Qt::Key_PageDown,
            Qt::Key_Shift,      Qt::Key_Control};
        const int roll = Pick(100);
        const std::uint64_t pick = rng_();
        return roll < 30   ? Qt::Key(Qt::Key_0 + pick % 10)
               : roll < 42 ? (pick % 2 == 0 ? Qt::Key_Period : Qt::Key_Comma)
               : roll < 52 ? (pick % 2 == 0 ? Qt::Key_Backspace : Qt::Key_Delete)
               : roll < 74 ? Moves[pick % Moves.size()]
               : roll < 84 ? Qt::Key(Qt::Key_A + pick % 26)
               : roll < 88 ? Qt::Key(Qt::Key_F1 + pick % 12)
                           : Others[pick % Others.size()];
    }

    // Shift, Ctrl or both on three keys in eight; never Ctrl+V, which pastes.
    Event DrawKeyEvent(Kind kind) {
        const Qt::Key key = DrawKey();
        const int roll = Pick(8);
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, roll == 5 || roll == 7);
        modifiers.setFlag(Qt::ControlModifier, roll >= 6 && key != Qt::Key_V);
        return {kind, key, modifiers, {}};
    }

    Event Draw() {
        const int roll = Pick(100);
        if (roll < 45) {
            held_.push_back(DrawKeyEvent(Press));
            if (held_.size() > 8) {
                held_.erase(held_.begin());
            }
            return held_.back();
        }
        if (roll < 78 && !held_.empty() && Pick(3) != 0) {
            Event release = held_.back();
            held_.pop_back();
            release.kind = Release;
            return release;
        }
        if (roll < 78) {
            ++freshReleases_;
            return DrawKeyEvent(Release);
        }
        const Qt::KeyboardModifiers modifiers = Pick(10) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        if (Pick(2) == 0) {
            return {Click, Qt::Key_unknown, modifiers, {Pick(F().width()), Pick(F().height())}};
        }
        const auto& [widget, rect] = targets_[Pick(targets_.size())];
        const QPoint inside(rect.x() + Pick(rect.width()), rect.y() + Pick(rect.height()));
        return {Click, Qt::Key_unknown, modifiers, widget->mapTo(&F(), inside)};
    }

    void Send(const Event& event) {
        QWindow* const window = F().windowHandle();
        if (event.kind == Click) {
            QTest::mouseClick(window, Qt::LeftButton, event.modifiers, event.at);
        } else if (event.kind == Press) {
            QTest::keyPress(window, event.key, event.modifiers);
        } else {
            QTest::keyRelease(window, event.key, event.modifiers);
        }
    }

    std::string Describe(const Event& event) {
        const QKeyCombination key(event.modifiers, event.key);
        return event.kind == Click ? "click at (" + std::to_string(event.at.x()) + ", " +
                                         std::to_string(event.at.y()) + ")"
                                   : (event.kind == Press ? "press " : "release ") +
                                         QKeySequence(key).toString().toStdString();
    }

    // Makes the main window the active one again, as the user would.
    void Reactivate() {
        if (!F().windowHandle()->isActive()) {
            F().activateWindow();
            static_cast<void>(QTest::qWaitForWindowActive(&F()));
            return;
        }
        // The keep-on-top switch re-creates the window. The offscreen platform
        // keeps it as its focus window throughout, so activating it changes
        // nothing there, while the widgets took it as deactivated.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(&F());
        QT_WARNING_POP
    }

    // What the event did wrong, or nothing.
    std::string Fault(const Event& event, bool warningBefore, bool calculated);

    std::mt19937_64 rng_;
    std::vector<QLineEdit*> typed_; // the six input boxes, then the three base boxes
    std::vector<std::pair<QWidget*, QRect>> targets_;
    std::vector<Event> held_;
    QPointer<QLineEdit> marked_; // the input box a release or a click showed a separator in
    std::array<int, 6> separators_{};
    std::map<std::string, int> errorBoxes_;
    int freshReleases_ = 0;
    int fileMenus_ = 0;
    int menusClosed_ = 0;
    int secondSeparators_ = 0; // typed before any release showed the first
};

std::string Monkey::Fault(const Event& event, bool warningBefore, bool calculated) {
    // The window renews its separator mark at each release and each click
    // in the focused input box, and drops it when the focus moves on.
    QWidget* const focus = F().focusWidget();
    marked_ = marked_ == focus ? marked_ : nullptr;
    const auto input = std::find(typed_.begin(), typed_.begin() + 6, focus);
    if (input != typed_.begin() + 6 &&
        (event.kind == Release || (event.kind == Click && F().childAt(event.at) == focus))) {
        marked_ = SeparatorCount((*input)->text()) > 0 ? *input : nullptr;
    }
    std::string fault;
    if (QWidget* const popup = QApplication::activePopupWidget()) {
        fault = popup == F().File1 ? "" : "a popup other than the File menu opened";
        popup->close();
    }
    for (const SeenBox& box : Boxes().Take()) {
        if (box.IsErrorBox()) {
            ++errorBoxes_[box.text.toStdString()];
        } else if (box.messageBox || fileMenus_ == menusClosed_) {
            fault = "modal window \"" + box.title.toStdString() + "\": " + box.text.toStdString();
        }
    }
    menusClosed_ = fileMenus_;
    if (!F().isVisible()) {
        fault = "the main window is gone";
    }
    // A calculation without warnings empties the warning box but leaves it up.
    const bool warning = !F().ErrMemo->isHidden();
    if (warning != !F().OKBut->isHidden() ||
        (warning && !warningBefore && (!calculated || F().ErrMemo->toPlainText().isEmpty()))) {
        fault = "the warning box came up without its OK button, a calculation or a line";
    }
    for (QLineEdit* box : typed_) {
        if (!DigitsAndSeparatorsOnly(box->text())) {
            fault = "a box holds \"" + box->text().toStdString() + "\"";
        }
    }
    for (std::size_t row = 0; row < separators_.size(); ++row) {
        if ((static_cast<TAlignEdit*>(typed_[row])->TagB() != 0) != (typed_[row] == marked_)) {
            fault = "the separator mark of input row " + std::to_string(row + 1) + " is wrong";
        }
        const int now = SeparatorCount(typed_[row]->text());
        if (event.kind == Press && now > separators_[row] && now > 1) {
            ++secondSeparators_;
            if (typed_[row] == marked_) {
                fault =
                    "an input box took a second separator: " + typed_[row]->text().toStdString();
            }
        }
        separators_[row] = now;
    }
    return fault;
}

TEST_F(Monkey, RandomKeysAndClicksLeaveTheBoxesNumeric) {
    const std::uint64_t seed = FromEnvironment("MONKEY_SEED", 2);
    const std::uint64_t events = FromEnvironment("MONKEY_EVENTS", 20000);
    rng_.seed(seed);
    int calculations = 0;
    int warnings = 0;
    QObject::connect(F().CalcBut, &QPushButton::clicked, F().CalcBut, [&] {
        ++calculations;
        warnings += F().ErrMemo->isHidden() ? 0 : 1;
    });
    QObject::connect(F().File1, &QMenu::aboutToShow, F().File1, [this] { ++fileMenus_; });
    for (std::size_t row = 0; row < separators_.size(); ++row) {
        separators_[row] = SeparatorCount(typed_[row]->text());
    }

    std::array<int, 3> sent{};
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t i = 0; i < events; ++i) {
        const Event event = Draw();
        const int calculationsBefore = calculations;
        const bool warningBefore = !F().ErrMemo->isHidden();
        Send(event);
        ++sent[event.kind];
        const std::string fault = Fault(event, warningBefore, calculations > calculationsBefore);
        ASSERT_TRUE(fault.empty()) << "event " << i << " (" << Describe(event)
                                   << "), MONKEY_SEED=" << seed << ": " << fault;

        if (QApplication::activeWindow() != &F()) {
            Reactivate();
            ASSERT_EQ(QApplication::activeWindow(), &F()) << "event " << i;
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

    std::ostringstream summary;
    summary << "seed " << seed << ", " << events << " events: " << sent[Press] << " key presses, "
            << sent[Release] << " key releases (" << freshReleases_ << " drawn afresh), "
            << sent[Click] << " clicks; " << calculations << " calculations, " << warnings
            << " with the warning box; error boxes closed:";
    for (const auto& [text, count] : errorBoxes_) {
        summary << " " << count << " \"" << text << "\"";
    }
    summary << "; " << fileMenus_ << " File menus closed, " << secondSeparators_
            << " second separators typed before a release; " << took.count() << " s";
    std::cout << "[ MONKEY   ] " << summary.str() << std::endl;
    RecordProperty("summary", summary.str());
}

// Found by the monkey: a box that a held Up key had left disabled took part
// in a click on it as if enabled: the click moved the column's caret offset
// and marked the separator of the current box.
using DisabledInputBox = MainWindow;

TEST_F(DisabledInputBox, ClickOnItChangesNothing) {
    W().ClickInto(W().Input(3));
    W().Press(Qt::Key_Up);
    ASSERT_FALSE(W().Input(3).isEnabled());
    ASSERT_EQ(F().InputArray->Cpos, 0);
    W().Click(W().Input(3), QPoint(60, 12));
    EXPECT_EQ(F().InputArray->Cpos, 0);
    EXPECT_EQ(W().Input(2).TagB(), 0);
}

} // namespace
