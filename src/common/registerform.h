#pragma once

#include "registerdefinition.h"
#include "ui/form.h"

#include <QVariantList>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace wb {
class Recordset;
}
namespace wb::ui {
class FlexGrid;
}

namespace wb::common {

// The register screen: entry boxes bound to the columns of one table, save (insert or overwrite),
// delete, cancel, print, and a search page whose grid lists the rows as the user types and also
// serves other screens as a pick list. A screen gives its RegisterDefinition and overrides the hooks where
// it departs from the pattern.
class RegisterForm : public ui::Form {
    Q_OBJECT
public:
    explicit RegisterForm(RegisterDefinition definition);

    void Form_Load() override;
    void Form_Unload() override;

    virtual void ClearAll();
    virtual void FillGird(const QString& criterion);
    virtual void setGrid();
    virtual void FillData();
    virtual void SetMaxlength();

    virtual void cmdSave_Click();
    virtual void cmdDelete_Click();
    virtual void cmdCancel_Click();
    virtual void cmdPrint_Click();
    virtual void cmdExit_Click();
    virtual void Msh_DblClick();
    virtual void Msh_KeyPress(int keyAscii);
    void txt_s_value_Change();

signals:
    // The window is unloading and the main window's menu rights are to be applied again.
    void menuRightsDue();

public:
    bool IsNew = false;
    const RegisterDefinition& definition() const { return def_; }

    // The standard controls, found by name once the window is set up.
    QTabWidget* SSTab1 = nullptr;
    QLineEdit* keyBox = nullptr;
    QComboBox* cmb_s_cri = nullptr;
    QLineEdit* txt_s_value = nullptr;
    ui::FlexGrid* Msh = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExit = nullptr;

protected:
    // Finds the standard controls and connects the handlers; call after setupUi.
    void bindControls();
    // The bound boxes (the window's Tag) in designed order.
    QList<QLineEdit*> boundBoxes() const;
    QLineEdit* box(const QString& name) const;

    // Hooks, in the order the pattern calls them.
    virtual void fillFixedLists() {}
    virtual void clearExtra() {}
    // The search query of a criterion, with its bound values.
    virtual QString searchQuery(const QString& criterion, QVariantList& params) const;
    // Checks after the required boxes; false stops the save (the check says why).
    virtual bool validate() { return true; }
    // Steps of a new row inside the saving transaction, right after AddNew.
    virtual void insertSteps(Recordset&) {}
    // The screen's explicit fields (combos, options, dates, codes).
    virtual void writeExplicit(Recordset& rs);
    // Reads the explicit controls when a row is loaded.
    virtual void readExplicit(Recordset&) {}
    // A grid pick: fills the entry page from the grid's row `row` (default: ClearAll, key, FillData).
    virtual void loadPicked(int row);
    // Writes the screen's pick variables from the grid's row.
    virtual void writePickVariables(int) {}
    // Runs after a row has been saved or deleted (the grid is refilled and the boxes cleared).
    virtual void afterSave() {}
    // The control that gets the focus after a pick for editing.
    virtual QWidget* firstEntryBox() const;
    // What the delete statement removes besides the row (in the same transaction).
    virtual void deleteSteps(qint64) {}
    // The message when the row being edited no longer exists.
    virtual QString vanishedMessage() const;

private:
    void saveRow(bool isNew);
    RegisterDefinition def_;
};

} // namespace wb::common
