// Routes the mouse, key and focus events of an edit array's boxes to the
// array's handlers, before each box handles the event itself.
#pragma once

#include <QObject>
#include <QPointer>

class TEditArray;
class QWidget;

class TEditArrayEvents : public QObject {
    Q_OBJECT

public:
    explicit TEditArrayEvents(TEditArray& array);

    // Starts routing the events of box.
    void Watch(QWidget& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusIn(QObject* box);
    void FocusOut(QObject* box);

    TEditArray& array_;
    // The box whose entry was last reported and not yet followed by its exit.
    // Switching windows or opening a popup takes the keyboard focus away from
    // a box without changing the window's active control, so those focus
    // changes report nothing.
    QPointer<QObject> entered_;
};
