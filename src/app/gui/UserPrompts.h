#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "ui/dialogs/MessageBoxes.h"

class QWidget;

namespace tamrik {

using PromptIcon = BoxIcon;

// The main window's message boxes and file dialogs. Boxes go through ShowMessageBox like every
// other box of the program, so one test hook answers them all; file dialogs have their own queue.
class UserPrompts {
public:
    // Yes / No question; true for Yes. A risky question has No as its default answer.
    static bool askYesNo(QWidget* owner, const QString& title, const QString& text,
                         PromptIcon icon = PromptIcon::Question, bool risky = false);
    // `details`, when given, are shown on request (a list of what the text sums up).
    static void show(QWidget* owner, const QString& title, const QString& text, PromptIcon icon,
                     const QString& details = {});
    // "Save changes to the current site?" with Save, Discard and Cancel.
    static SaveChoice askSaveChanges(QWidget* owner);

    // Filter text is the comma-separated "description,pattern,..." list. An empty result means cancelled.
    // The save dialog's default extension is the filter text's last three characters; neither dialog
    // asks before overwriting, both ask before returning a name that does not exist yet.
    static QString saveFileName(QWidget* owner, const QString& initialName, const QString& filterText);
    static QString openFileName(QWidget* owner, const QString& initialName, const QString& filterText);

    static QString qtFilter(const QString& filterText);
    static QString defaultSuffix(const QString& filterText);

    // Test hooks: in test mode nothing modal is shown; questions take the queued answers (No when the
    // queue is empty), file dialogs the queued names (cancel when empty), and every box is recorded.
    struct Shown {
        QString title;
        QString text;
        PromptIcon icon;
        bool question;
        QString details;
    };
    static void setTestMode(bool on);
    static void queueAnswers(const QList<bool>& answers);
    static void queueChoices(const QList<SaveChoice>& choices);
    static void queueFileNames(const QStringList& names);
    // What each file dialog would have opened on: its selected filter and its initial name.
    struct FileRequest {
        QString nameFilter;
        QString initialName;
    };
    static QList<FileRequest> takeFileRequests();
    static QList<Shown> takeShown();
};

}  // namespace tamrik
