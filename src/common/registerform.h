#pragma once

#include "registerdefinition.h"
#include "ui/form.h"
#include "ui/startstate.h"

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

// The controls a register window hands to the pattern, taken from its generated ui_ class (so a
// misnamed control does not compile). A window without a search page leaves those entries empty.
struct RegisterControls {
    QLineEdit* keyBox = nullptr; // the row's key
    QPushButton* save = nullptr;
    QPushButton* del = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* print = nullptr;
    QPushButton* exit = nullptr;
    QWidget* firstEntry = nullptr; // where the focus goes to edit a picked row
    QTabWidget* tabs = nullptr;    // entry page 0, search page 1
    QComboBox* criteria = nullptr;
    QLineEdit* search = nullptr;
    ui::FlexGrid* grid = nullptr;
};

// The key box and the five buttons under their usual names.
template <class Ui> RegisterControls standardControls(Ui& u) {
    RegisterControls c;
    c.keyBox = u.txt_Row_No;
    c.save = u.cmdSave;
    c.del = u.cmdDelete;
    c.cancel = u.cmdCancel;
    c.print = u.cmdPrint;
    c.exit = u.cmdExit;
    return c;
}

// The standard controls and the search page under their usual names: tabs, criteria, search box
// and grid.
template <class Ui> RegisterControls searchPageControls(Ui& u) {
    RegisterControls c = standardControls(u);
    c.tabs = u.SSTab1;
    c.criteria = u.cmb_s_cri;
    c.search = u.txt_s_value;
    c.grid = u.Msh;
    return c;
}

// The register screen: entry boxes bound to the columns of one table, save (insert or overwrite),
// delete, cancel, print, and a search page whose grid lists the rows as the user types and also
// serves other screens as a pick list. A screen gives its RegisterDefinition and its controls, and
// overrides the few hooks where it departs from the pattern.
class RegisterForm : public ui::Form {
    Q_OBJECT
public:
    explicit RegisterForm(RegisterDefinition definition);

    void Form_Load() override;
    void Form_Unload() override;

    virtual void ClearAll();
    virtual void FillGird(const QString& criterion = QString());
    virtual void setGrid();
    // The headers setGrid gives the grid's columns (empty where it leaves the field name), for a
    // list bound with them in place so that they are not set again over it.
    QStringList gridCaptions() const;
    // Binds a list to the grid with those headers (a screenful read now, more as the user scrolls;
    // the shared record set keeps none of it), then sets the grid up.
    void listInGrid(const QString& sql, const QVariantList& params = {});
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
    // A criterion typed into the criterion list searches with it.
    virtual void cmb_s_cri_Change();

    // The window opens with the focus in its first entry box.
    QWidget* initialFocus() const override;

signals:
    // The window is unloading and the main window's menu rights are to be applied again.
    void menuRightsDue();

public:
    bool IsNew = false;
    const RegisterDefinition& definition() const { return def_; }
    // The text of the grid's row in the column of `field`; an unknown field is a programming error.
    QString cell(int row, const QString& field) const;

    // The standard controls, as bound.
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
    // Takes the controls and connects the handlers; call after setupUi. Raises std::logic_error
    // when the key box or the save button is missing, or a box the definition names is not a box of
    // the window.
    void bindControls(const RegisterControls& controls);
    // The bound boxes (the window's Tag) in designed order.
    QList<QLineEdit*> boundBoxes() const;
    QLineEdit* box(const QString& name) const;
    // Whether every bound box is empty.
    bool boxesEmpty() const;

    // Hooks, in the order the pattern calls them.
    virtual void fillFixedLists() {}
    virtual void clearExtra() {}
    // The search query of a criterion, with its bound values.
    virtual QString searchQuery(const QString& criterion, QVariantList& params) const;
    // The definition's order, made total with the key.
    QString listOrder() const;
    // "select `select` from `table` [`qualifier`] where [`condition` and] `column` contains `text`" in
    // the list's order: where the list is ordered by that column, the rows holding the text are
    // walked in that order (see OrderedSearch).
    QString containsQuery(const QString& select, const QString& table, const QString& qualifier,
                          const QString& column, const QString& condition, const QString& text,
                          QVariantList& params) const;
    // The grid's columns as filled now (a screen with two layouts gives the one in use).
    virtual const QList<RegisterDefinition::GridColumn>& gridColumns() const { return def_.grid; }
    // Checks after the required boxes; false stops the save (the check says why).
    virtual bool validate() { return true; }
    // Inside the saving transaction, insert and update alike, after the boxes and the code are
    // written into the row and before it is stored: the screen's own fields and statements.
    virtual void saveSteps(Recordset&) {}
    // Reads the explicit controls when a row is loaded.
    virtual void readExplicit(Recordset&) {}
    // A grid pick: fills the entry page from the grid's row `row` (default: ClearAll, key, FillData).
    virtual void loadPicked(int row);
    // Writes the screen's pick variables from the grid's row.
    virtual void writePickVariables(int) {}
    // Runs after a row has been stored and the grid refilled, while the boxes still hold it.
    virtual void afterStore() {}
    // Runs after a row has been saved (the grid is refilled and the boxes cleared).
    virtual void afterSave() {}
    // What the delete statement removes besides the row (in the same transaction).
    virtual void deleteSteps(qint64) {}

    QWidget* firstEntry = nullptr;

    // The controls as the window loaded, put back before a pick loads a row into them.
    ui::StartState startState;

private:
    bool saveRow(bool isNew);
    void requireBox(const QString& name) const;
    RegisterDefinition def_;
};

} // namespace wb::common
