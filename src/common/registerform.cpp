#include "registerform.h"

#include "data/dberror.h"
#include "printing.h"
#include "shell/module1.h"
#include "ui/binding.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/msgbox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace wb::common {

using Module1::Con;
using Module1::Rs;

RegisterForm::RegisterForm(RegisterDefinition definition) : def_(std::move(definition)) {}

namespace {
template <class T> T* childNamed(QObject* root, const QString& name) {
    for (T* w : root->findChildren<T*>())
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}
} // namespace

void RegisterForm::bindControls() {
    SSTab1 = childNamed<QTabWidget>(this, QStringLiteral("SSTab1"));
    keyBox = childNamed<QLineEdit>(this, QStringLiteral("txt_Row_No"));
    cmb_s_cri = childNamed<QComboBox>(this, QStringLiteral("cmb_s_cri"));
    txt_s_value = childNamed<QLineEdit>(this, QStringLiteral("txt_s_value"));
    Msh = childNamed<ui::FlexGrid>(this, QStringLiteral("Msh"));
    cmdSave = childNamed<QPushButton>(this, QStringLiteral("cmdSave"));
    cmdDelete = childNamed<QPushButton>(this, QStringLiteral("cmdDelete"));
    cmdCancel = childNamed<QPushButton>(this, QStringLiteral("cmdCancel"));
    cmdPrint = childNamed<QPushButton>(this, QStringLiteral("cmdPrint"));
    cmdExit = childNamed<QPushButton>(this, QStringLiteral("cmdExit"));

    const auto on = [this](QPushButton* b, void (RegisterForm::*slot)()) {
        if (b)
            connect(b, &QPushButton::clicked, this, ui::handler([this, slot] { (this->*slot)(); }));
    };
    on(cmdSave, &RegisterForm::cmdSave_Click);
    on(cmdDelete, &RegisterForm::cmdDelete_Click);
    on(cmdCancel, &RegisterForm::cmdCancel_Click);
    on(cmdPrint, &RegisterForm::cmdPrint_Click);
    on(cmdExit, &RegisterForm::cmdExit_Click);
    if (txt_s_value)
        connect(txt_s_value, &QLineEdit::textChanged, this, ui::handler([this] { txt_s_value_Change(); }));
    if (Msh) {
        connect(Msh, &ui::FlexGrid::DblClick, this, ui::handler([this] { Msh_DblClick(); }));
        connect(Msh, &ui::FlexGrid::KeyPress, this,
                [this](int key) { ui::guarded([&] { Msh_KeyPress(key); }); });
    }
}

QList<QLineEdit*> RegisterForm::boundBoxes() const {
    return ui::boundBoxes(this, def_.tag);
}

QLineEdit* RegisterForm::box(const QString& name) const {
    return childNamed<QLineEdit>(const_cast<RegisterForm*>(this), name);
}

void RegisterForm::Form_Load() {
    if (cmb_s_cri) {
        for (const auto& c : def_.criteria)
            cmb_s_cri->addItem(c.caption);
        if (cmb_s_cri->count() > 0)
            cmb_s_cri->setCurrentIndex(0);
    }
    fillFixedLists();
    if (Msh)
        FillGird(def_.loadWithFirstCriterion && !def_.criteria.isEmpty() ? def_.criteria.first().caption
                                                                         : QString());
    if (def_.limitLengths)
        SetMaxlength();
}

void RegisterForm::Form_Unload() {
    if (def_.unloadClearsPickMode)
        Module1::PickMode = false;
    if (def_.unloadAppliesMenuRights)
        Module1::ApplyMenuRights();
}

void RegisterForm::ClearAll() {
    for (QLineEdit* b : boundBoxes())
        b->clear();
    clearExtra();
}

QString RegisterForm::searchQuery(const QString& criterion, QVariantList& params) const {
    QString sql = QStringLiteral("select %1 from %2").arg(def_.selectList, def_.table);
    for (const auto& c : def_.criteria) {
        if (c.caption == criterion) {
            sql += QStringLiteral(" where ") + Con->dialect().containsCI(c.column);
            params << likeContains(txt_s_value ? txt_s_value->text() : QString());
            break;
        }
    }
    if (!def_.orderBy.isEmpty())
        sql += QStringLiteral(" order by ") + def_.orderBy;
    return sql;
}

void RegisterForm::FillGird(const QString& criterion) {
    QVariantList params;
    const QString sql = searchQuery(criterion, params);
    Module1::OpenRs(sql, params);
    if (Rs->RecordCount() < 1) {
        Msh->clearToEmpty();
        return;
    }
    Msh->setRedraw(false);
    Msh->bind(*Rs);
    Msh->setRedraw(true);
    setGrid();
}

void RegisterForm::setGrid() {
    for (int c = 0; c < def_.grid.size() && c < Msh->Cols(); ++c) {
        const auto& g = def_.grid[c];
        if (!g.header.isEmpty())
            Msh->setTextMatrix(0, c, g.header);
        if (g.width >= 0)
            Msh->setColWidth(c, g.width);
    }
}

void RegisterForm::FillData() {
    if (!keyBox || keyBox->text().isEmpty())
        return;
    Module1::OpenRs(QStringLiteral("select * from %1 where %2 = ?").arg(def_.table, def_.key),
                    {keyBox->text().toLongLong()});
    if (Rs->RecordCount() < 1)
        return;
    Rs->MoveFirst();
    for (QLineEdit* b : boundBoxes())
        b->setText(Rs->text(ui::dataField(b)));
    readExplicit(*Rs);
}

void RegisterForm::SetMaxlength() {
    Module1::OpenRs(QStringLiteral("select * from %1 where 0 = 1").arg(def_.table));
    for (QLineEdit* b : boundBoxes()) {
        const int i = Rs->fieldIndex(ui::dataField(b));
        if (i < 0)
            continue;
        const FieldInfo& f = Rs->fieldInfo(i);
        const int length = f.type == ColType::Text ? f.definedSize : f.precision;
        if (length > 0)
            b->setMaxLength(length);
    }
}

void RegisterForm::writeExplicit(Recordset& rs) {
    if (!def_.codeColumn.isEmpty() && (!def_.codeOnInsertOnly || IsNew))
        rs.setField(def_.codeColumn, def_.codePrefix + (keyBox ? keyBox->text() : QString()));
}

void RegisterForm::saveRow(bool isNew) {
    if (isNew) {
        Rs->AddNew();
        insertSteps(*Rs);
    } else {
        Rs->MoveFirst();
    }
    for (QLineEdit* b : boundBoxes()) {
        if (def_.skipped.contains(b->objectName(), Qt::CaseInsensitive))
            continue;
        if (def_.keyByDatabase && b == keyBox)
            continue;
        const QString field = ui::dataField(b);
        Rs->setField(field, b->text().isEmpty() ? QVariant() : QVariant(b->text()));
    }
    writeExplicit(*Rs);
    Rs->Update();
}

void RegisterForm::cmdSave_Click() {
    for (const auto& r : def_.required) {
        QLineEdit* b = box(r.box);
        if (b && b->text().isEmpty()) {
            ui::MsgBox(r.message, ui::vbInformation);
            b->setFocus();
            return;
        }
    }
    if (!validate())
        return;
    IsNew = !keyBox || keyBox->text().isEmpty();
    if (IsNew) {
        const QString emptyQuery = QStringLiteral("select * from %1 where 0 = 1").arg(def_.table);
        try {
            if (def_.keyByDatabase) {
                inTransaction(*Con, [&] {
                    Module1::OpenRs(emptyQuery);
                    saveRow(true);
                });
            } else {
                // The next key is read and used inside one transaction, serialised between desks.
                saveWithNextKey(*Con, def_.table, def_.key, [&](qint64 key) {
                    keyBox->setText(QString::number(key));
                    Module1::OpenRs(emptyQuery);
                    saveRow(true);
                });
            }
        } catch (...) {
            if (keyBox)
                keyBox->clear(); // still a new row: nothing was written
            throw;
        }
    } else {
        bool vanished = false;
        inTransaction(*Con, [&] {
            Module1::OpenRs(QStringLiteral("select * from %1 where %2 = ?").arg(def_.table, def_.key),
                            {keyBox->text().toLongLong()});
            vanished = Rs->RecordCount() < 1;
            if (!vanished)
                saveRow(false);
        });
        if (vanished) { // said once the transaction is over: no lock waits for the user
            ui::MsgBox(vanishedMessage(), ui::vbInformation);
            return;
        }
    }
    FillGird(QString());
    ClearAll();
    afterSave();
}

QString RegisterForm::vanishedMessage() const {
    return QStringLiteral("This record no longer exists: another desk has deleted it. Nothing was saved.");
}

void RegisterForm::cmdDelete_Click() {
    if (!keyBox || keyBox->text().isEmpty())
        return;
    if (def_.confirmDelete &&
        ui::MsgBox(def_.deleteMessage, ui::vbYesNo + ui::vbInformation, def_.deleteTitle) != ui::vbYes)
        return;
    const qint64 key = keyBox->text().toLongLong();
    inTransaction(*Con, [&] {
        deleteSteps(key);
        Con->Execute(QStringLiteral("Delete From %1 Where %2 = ? ").arg(def_.table, def_.key), {key});
    });
    ClearAll();
    FillGird(QString());
}

void RegisterForm::cmdCancel_Click() {
    ClearAll();
}

void RegisterForm::cmdPrint_Click() {
    const QString key = keyBox ? keyBox->text() : QString();
    printReport(this, def_.printTemplate, key.isEmpty() ? QString() : def_.printFormulaPrefix + key);
}

void RegisterForm::cmdExit_Click() {
    if (def_.exitHidesInPickMode && Module1::PickMode)
        Hide();
    else
        unload();
}

void RegisterForm::txt_s_value_Change() {
    FillGird(cmb_s_cri ? cmb_s_cri->currentText() : QString());
}

QWidget* RegisterForm::firstEntryBox() const {
    for (QLineEdit* b : boundBoxes())
        if (b->isVisibleTo(const_cast<RegisterForm*>(this)) && b != keyBox)
            return b;
    return nullptr;
}

void RegisterForm::loadPicked(int row) {
    ClearAll();
    keyBox->setText(Msh->TextMatrix(row, 0));
    FillData();
}

void RegisterForm::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    writePickVariables(row);
    loadPicked(row);
    if (def_.pickTestsPickMode && Module1::PickMode) {
        unload();
        return;
    }
    if (cmdSave)
        cmdSave->setText(QStringLiteral("&Save"));
    if (SSTab1)
        SSTab1->setCurrentIndex(0);
    if (QWidget* first = firstEntryBox())
        first->setFocus();
}

void RegisterForm::Msh_KeyPress(int keyAscii) {
    if (keyAscii == 13 && def_.enterInGridPicks)
        Msh_DblClick();
}

} // namespace wb::common
