// The textbook company window "教科書会社の選択" as a Qt dialog bound to MainWindow's
// company window model.
#pragma once

class MainWindow;
class QDialog;
class QWidget;

// A non-modal dialog, not yet shown, that deletes itself when closed. Its buttons send
// their clicks to the model and the dialog closes once the model has closed the window;
// the close box and Esc close the window without a choice.
QDialog* createCompanyDialog(MainWindow& model, QWidget* parent);
