#pragma once
// The controls of a Qt Designer form, found by the control id each one carries in its
// "controlId" property (set in the form), as windows find their children by id.
#include <QWidget>

#include <initializer_list>

// The control of the form with that id, nullptr when there is none.
QWidget* FindControl(const QWidget& form, int controlId);

// Typed: nullptr also when the control is of another class.
template <class W> W* FindControl(const QWidget& form, int controlId) {
    return dynamic_cast<W*>(FindControl(form, controlId));
}

// Radio groups of a form, given by the ids of their buttons in order: the index of the checked
// one (-1 none), and checking the one at an index.
int CheckedRadio(const QWidget& form, std::initializer_list<int> ids);
void CheckRadio(const QWidget& form, std::initializer_list<int> ids, int index);

// Puts the replacement where the form's control with that id stands (its place in the layout,
// its size limits) and deletes that control. For controls the form cannot make itself, such as
// the colour picker; the replacement carries the id through its own window.
bool ReplaceControl(QWidget& form, int controlId, QWidget& replacement);
