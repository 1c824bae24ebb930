#pragma once

#include "data/recordset.h"
#include "ui/form.h"

#include <QList>
#include <memory>

class QCheckBox;

namespace Ui {
class frmSecMenus;
}

// The menu-rights editor: per user, which commands of the REGISTRATIONS and TRANSACTIONS menus
// that user sees. Saving replaces the user's fourteen rows of Chart_Of_Menus in one transaction.
class frmSecMenus : public wb::ui::Form {
    Q_OBJECT
public:
    frmSecMenus();
    ~frmSecMenus() override;

    void Form_Load() override;
    void Form_Unload() override;

    void cboUser_Change();
    void cboUser_Click();
    void cmdSave_Click();
    void Command1_Click();
    // Loads the chosen user's rights into the check boxes.
    void OpenMenus();

    // The chosen user's Row_No as text: empty when the combo's text names no user.
    QString boundText() const;
    // Chooses the user with this Row_No (nothing when there is none).
    void setBoundText(const QString& rowNo);

    // The fourteen saved check boxes, in the order their rows are written.
    const QList<QCheckBox*>& savedBoxes() const { return saved_; }

    Ui::frmSecMenus* ui() const { return ui_.get(); }

private:
    void showTicked(QCheckBox* box);
    std::unique_ptr<Ui::frmSecMenus> ui_;
    wb::Recordset rsUsers;
    QList<QCheckBox*> saved_;
};
