// TMotorForm: the main window. It reads the six name-plate boxes and the
// base boxes, calls the model and writes texts; no arithmetic lives here.
//
// Controls are placed at fixed pixels of the client area below the menu bar
// (the window does not scale). Key preview: the window sees every typed
// character and every key release of its controls before they do, filters
// the characters to numeric input and clears the results on release of any
// key but Up and Right. Every handler runs through Guarded (error_box.h).
#pragma once

#include "edit_array.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TPicture;
class THelpForm;
struct TEquivalentCircuit;

class TMotorForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMotorForm(QWidget* parent = nullptr);
    ~TMotorForm() override;

    // The help window the Help command shows; created after this window.
    void SetHelpForm(THelpForm* helpForm) { HelpForm = helpForm; }

    // The client area all positions are measured in.
    QWidget* ClientArea() const { return client_; }

    QLabel* VoltLab = nullptr;
    QLabel* PowLab = nullptr;
    QLabel* SlipLab = nullptr;
    QLabel* EffLab = nullptr;
    QLabel* LockLab = nullptr;
    QLineEdit* MagEdit = nullptr;
    QLineEdit* dqEdit = nullptr;
    QLineEdit* StatRedit = nullptr;
    QLineEdit* RotRedit = nullptr;
    QPushButton* CalcBut = nullptr;
    QLineEdit* RotLedit = nullptr;
    QLabel* pfLab = nullptr;
    QRadioButton* Freq50 = nullptr;
    QRadioButton* Freq60 = nullptr;
    TPicture* statind = nullptr;
    TPicture* statres = nullptr;
    TPicture* srline = nullptr;
    TPicture* magind = nullptr;
    TPicture* upline = nullptr;
    TPicture* statline = nullptr;
    TPicture* rotres = nullptr;
    TPicture* lowline = nullptr;
    TPicture* rotline = nullptr;
    TPicture* rotind = nullptr;
    TPicture* Image1 = nullptr;
    TPicture* Image2 = nullptr;
    TPicture* Loadres = nullptr;
    TPicture* Image3 = nullptr;
    TPicture* Image4 = nullptr;
    TPicture* Image5 = nullptr;
    QLabel* LoadLab = nullptr;
    QLabel* LsLab = nullptr;
    QLabel* RsLab = nullptr;
    QLabel* RrLab = nullptr;
    QLabel* LrLab = nullptr;
    QLabel* LmLab = nullptr;
    QLabel* ResLab = nullptr;
    QLabel* MagnLab = nullptr;
    QLabel* LdLqLab = nullptr;
    QLabel* RstatLab = nullptr;
    QLabel* InputLab = nullptr;
    QLabel* OutputLab = nullptr;
    QLabel* RrotLab = nullptr;
    QLabel* AddLab = nullptr;
    QPlainTextEdit* ErrMemo = nullptr;
    QPushButton* OKBut = nullptr;
    QMenuBar* FileMenu = nullptr;
    QMenu* File1 = nullptr;
    QAction* ExitItem = nullptr;
    QToolButton* TopBut = nullptr;
    QAction* Help1 = nullptr;
    QLineEdit* dqpuEdit = nullptr;
    QLineEdit* MVAEdit = nullptr;
    QLineEdit* kVEdit = nullptr;
    QLabel* BaseLabel = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* FreqEdit = nullptr;
    QLabel* AtLabel = nullptr;
    QLabel* HzLabel = nullptr;
    QLineEdit* MagPuEdit = nullptr;
    QLineEdit* StatRpuEdit = nullptr;
    QLineEdit* RotRpuEdit = nullptr;
    QLineEdit* RotLpuEdit = nullptr;
    QLabel* ZLabel = nullptr;

    // Program-wide state of the window.
    std::unique_ptr<TEditArray> InputArray;
    std::unique_ptr<TEditArray> ResultArray;
    THelpForm* HelpForm = nullptr;
    char SeparatorChar = ',';
    int GrabX = 0;
    int GrabY = 0;

    void FormCreate();
    // key: the typed character; set to 0 to discard it.
    void FormKeyPress(char16_t& key);
    void CalcButClick();
    void Freq50Click();
    void Freq60Click();
    void OKButClick();
    void ExitItemClick();
    void TopButClick();
    // key: the released key's virtual-key code.
    void FormKeyUp(uint16_t key, Qt::KeyboardModifiers shift);
    void Help1Click();
    void ErrMemoMouseMove(Qt::MouseButtons buttons, int x, int y);
    void ShowPerUnit(const TEquivalentCircuit& circuit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    void SetTabOrder();
    void ConnectHandlers();
    void NameControls();
    bool IsOwnControl(QObject* object) const;
    bool PreviewKeyPress(QObject* receiver, QKeyEvent& event);
    static bool IsPushButtonEnter(QObject* receiver, const QKeyEvent& event);
    // Sends the control a copy of a key event with another key and typed
    // character (0 for none), past the key preview.
    void SendKey(QObject* receiver, const QKeyEvent& event, int key, char16_t typed);

    QWidget* client_ = nullptr;
    bool forwardingKey_ = false;
};
