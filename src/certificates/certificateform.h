#pragma once

#include "columncontrol.h"
#include "common/registerform.h"
#include "doctorpick.h"

#include <QMap>
#include <QVariant>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace wb {
class Dialect;
}

namespace wb::certificates {

// A time box of a certificate, the caption its message names and the column it is written to.
struct TimeField {
    QLineEdit* box = nullptr;
    QString caption;
    QString column;
};

// A combo box with its fixed items; the first is chosen when the window loads.
struct FixedList {
    QComboBox* box = nullptr;
    QStringList items;
};

// What a certificate window adds to the register pattern's definition.
struct CertificateDefinition {
    common::RegisterDefinition reg;
    // The listings' table with the joins that give the doctors' names ("Death_Certificate d left
    // join doc c on c.Row_no = d.Consultant").
    QString from;
    // Show all lists the times on the 12-hour clock as the opening listing does, or as stored.
    bool showAllOnClock = true;
    // Before a certificate is written, one message box names the column of every filled box.
    bool confirmColumns = false;
    // The window maximises whenever it becomes active.
    bool maximiseOnActivate = false;
    // The load shows the time of opening in the time boxes.
    bool timesAtOpening = false;
};

// A certificate window's controls, taken from its generated ui_ class.
struct CertificateControls {
    common::RegisterControls reg;
    QList<DoctorRole> doctors;
    QList<TimeField> times;
    // Written and read by column besides the bound boxes: combos, date pickers, masked boxes.
    QList<ColumnControl> columns;
    QList<FixedList> lists;
    // The search page of a window that searches on Find and at every change of its search box (a
    // window without them searches through the register pattern's search box).
    QLineEdit* searchBox = nullptr;
    QPushButton* find = nullptr;
    QPushButton* showAll = nullptr;
    QPushButton* searchCancel = nullptr; // back to the entry page
};

// The grid columns of the listed table under its alias: TableColumns{"d"}("Row_no", "Code", 0) is
// d.Row_no listed as Row_no, headed "Code", hidden; another expression may stand for the column.
struct TableColumns {
    QString alias;
    common::RegisterDefinition::GridColumn operator()(const char* name, const char* header, int width,
                                                      const QString& expression = {}) const {
        return {QLatin1String(name), QLatin1String(header), width,
                expression.isEmpty() ? alias + QLatin1Char('.') + QLatin1String(name) : expression};
    }
};

// A date column as dd/mm/yyyy text, for the criterion that matches the typed text against it.
QString dateAsTypedText(const Dialect& d, const QString& column);

// The buttons, tabs, criterion list, grid and search-page Cancel under their certificate names.
template <class Ui> CertificateControls certificateControls(Ui& u, QLineEdit* keyBox, QWidget* firstEntry) {
    CertificateControls c;
    c.reg = {.keyBox = keyBox,
             .save = u.cmdSave,
             .del = u.cmdDelete,
             .cancel = u.cmdCancel,
             .print = u.cmdPrint, // without a template the button does nothing
             .exit = u.cmdExit,
             .firstEntry = firstEntry,
             .tabs = u.SSTab1,
             .criteria = u.cmb_s_cri,
             .grid = u.Msh};
    c.searchCancel = u.cmds_cancel;
    return c;
}

// What the three certificate windows share on top of the register pattern: the doctor boxes
// filled through the doctor pick, the time-of-day boxes checked before anything is written, the
// combos, pickers and masked boxes written and read by column, the save's column-name message
// boxes, the listings over the table and its doctors bound to the grid even when empty, the
// searches by criterion, and the windows that maximise whenever they become active. Every date
// picker of a certificate window opens at today.
class CertificateForm : public common::RegisterForm {
    Q_OBJECT
public:
    explicit CertificateForm(CertificateDefinition definition);

    void Form_Activate() override;
    // Every certificate, the times on the 12-hour clock (the criterion is not used).
    void FillGird(const QString& criterion) override;

    // The search page.
    void cmdfind_Click();
    void txt_s_val_Change();
    void cmdshowall_Click();
    void cmds_cancel_Click();

    DoctorPick* doctors() { return doctors_.get(); }

protected:
    // Takes the controls and connects their handlers; call after setupUi.
    void bindCertificate(const CertificateControls& controls);

    void fillFixedLists() override;
    bool validate() override;
    // Writes the checked times and the column controls.
    void saveSteps(Recordset& rs) override;
    // Shows the stored column controls, times and doctors.
    void readExplicit(Recordset& rs) override;
    void clearExtra() override;

    // "select <grid columns> from <from> [where <filter>] order by <order>": the listings' query,
    // with the time columns on the 12-hour clock (" 9:05AM") or as stored.
    QString listing(bool clockTimes, const QString& filter = {}) const;
    // The column a search criterion filters (empty for none).
    QString criterionColumn(const QString& caption) const;
    // "column contains the search box's text", its value appended to `params`: the one place the
    // search filters are built.
    QString containsFilter(const QString& column, QVariantList& params) const;

private:
    QString selectList(bool clockTimes) const;
    // The definition's order, ties broken by the certificate's key.
    QString totalOrder() const;
    CertificateDefinition cert_;
    std::unique_ptr<DoctorPick> doctors_;
    QList<TimeField> times_;
    QList<ColumnControl> columns_;
    QList<FixedList> lists_;
    QMap<QString, QVariant> timeValues_;
};

} // namespace wb::certificates
