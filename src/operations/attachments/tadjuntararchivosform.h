#pragma once

#include "widgets/messages.h"

#include <QDialog>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

// Up to three documents sent with a pending operation: front and back of the
// owner's identity document and a certificate. Only their paths are kept
// here; the files are read when the operation is saved.
class TAdjuntarArchivosForm : public QDialog
{
    Q_OBJECT
public:
    using Paths = std::array<QString, 3>;

    explicit TAdjuntarArchivosForm(const Paths &paths, QWidget *parent = nullptr, Prompter &prompter = guiPrompter());
    Paths paths() const { return m_paths; }

    // "Adjuntar" of row 0..2 with the chosen file (empty: cancelled). Returns
    // whether the row took it.
    bool attach(int row, const QString &file);

    // Picks the file for a row; tests replace it so no dialog blocks.
    using FileChooser = std::function<QString(QWidget *parent, const QString &filter)>;
    static void setFileChooser(FileChooser chooser);
    static const QString &fileFilter();

    // Read-only (an operation only viewed): the paths are shown, none changes.
    static void edit(Paths &paths, QWidget *parent, Prompter &prompter, bool readOnly = false);
    void setReadOnly();

private:
    void choose(int row);

    Prompter &m_prompter;
    Paths m_paths;
    std::array<QLineEdit *, 3> m_edits{};
    std::array<QPushButton *, 3> m_buttons{};
    QPushButton *m_close = nullptr;
};
