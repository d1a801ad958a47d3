#pragma once

#include "NvDialogLayout.h"

#include <QDialog>

#include <functional>
#include <map>

class QPushButton;

// The message dialog with translated button captions and titles.
class NvMessageDialog : public QDialog {
    Q_OBJECT
public:
    using HelpHandler = std::function<void(int helpContext)>;

    // Builds the dialog without showing it.
    NvMessageDialog(const QString& text, MsgDlgType type, unsigned buttons, QWidget* parent = nullptr);

    // Modal, centred on the screen; returns the result of the pressed button (2 for the close box).
    static int nvMessageDlg(const QString& text, MsgDlgType type, unsigned buttons, int helpContext = 0);

    // Called by the Help button, which does not close the dialog.
    static void setHelpHandler(HelpHandler handler);

    void setHelpContext(int helpContext) { m_helpContext = helpContext; }
    int helpContext() const { return m_helpContext; }
    const MessageDialogLayout& dialogLayout() const { return m_layout; }
    QPushButton* button(MsgDlgBtn button) const;
    void centreOnScreen();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buttonClicked(const MsgDlgButtonInfo& info);

    MessageDialogLayout m_layout;
    std::map<unsigned, QPushButton*> m_buttons;
    int m_helpContext = 0;
};
