#include "registerform.h"

#include "data/dberror.h"
#include "data/orderedsearch.h"
#include "data/textsearch.h"
#include "picker.h"
#include "printing.h"
#include "session/module1.h"
#include "ui/binding.h"
#include "ui/flexgrid.h"
#include "ui/guard.h"
#include "ui/msgbox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabWidget>
#include <algorithm>
#include <stdexcept>

namespace wb::common {

using Module1::Con;
using Module1::Rs;

RegisterForm::RegisterForm(RegisterDefinition definition) : def_(std::move(definition)) {}

void RegisterForm::bindControls(const RegisterControls& c) {
    if (!c.keyBox || !c.save)
        throw std::logic_error(QStringLiteral("%1: the key box and the save button must be bound")
                                   .arg(objectName())
                                   .toStdString());
    keyBox = c.keyBox;
    cmdSave = c.save;
    cmdDelete = c.del;
    cmdCancel = c.cancel;
    cmdPrint = c.print;
    cmdExit = c.exit;
    firstEntry = c.firstEntry;
    SSTab1 = c.tabs;
    cmb_s_cri = c.criteria;
    txt_s_value = c.search;
    Msh = c.grid;
    for (const auto& r : def_.required)
        requireBox(r.box);
    for (const QString& name : def_.skipped)
        requireBox(name);
    if (!def_.cancelEnables.isEmpty())
        requireBox(def_.cancelEnables);

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
    // Typing a criterion searches; choosing one from the list does not, unless the screen says so.
    if (cmb_s_cri && cmb_s_cri->lineEdit())
        connect(cmb_s_cri->lineEdit(), &QLineEdit::textEdited, this,
                ui::handler([this] { cmb_s_cri_Change(); }));
    if (Msh) {
        connect(Msh, &ui::FlexGrid::DblClick, this, ui::handler([this] { Msh_DblClick(); }));
        connect(Msh, &ui::FlexGrid::KeyPress, this,
                [this](int key) { ui::guarded([&] { Msh_KeyPress(key); }); });
    }
}

void RegisterForm::requireBox(const QString& name) const {
    if (!box(name))
        throw std::logic_error(
            QStringLiteral("%1 has no box named %2").arg(metaObject()->className(), name).toStdString());
}

QString RegisterForm::cell(int row, const QString& field) const {
    const auto& columns = gridColumns();
    for (int c = 0; c < columns.size(); ++c)
        if (columns[c].field.compare(field, Qt::CaseInsensitive) == 0)
            return Msh->TextMatrix(row, c);
    throw std::logic_error(
        QStringLiteral("%1's grid has no column %2").arg(metaObject()->className(), field).toStdString());
}

QList<QLineEdit*> RegisterForm::boundBoxes() const {
    return ui::boundBoxes(this, def_.tag);
}

bool RegisterForm::boxesEmpty() const {
    const auto boxes = boundBoxes();
    return std::all_of(boxes.begin(), boxes.end(), [](const QLineEdit* b) { return b->text().isEmpty(); });
}

QLineEdit* RegisterForm::box(const QString& name) const {
    for (QLineEdit* b : findChildren<QLineEdit*>())
        if (b->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return b;
    return nullptr;
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
    QList<QWidget*> kept{cmb_s_cri, txt_s_value};
    for (const QString& name : def_.keptOnPick)
        kept << findChild<QWidget*>(name);
    if (SSTab1 && SSTab1->count() > 1) // a pick leaves the search page as the user set it
        kept += SSTab1->widget(1)->findChildren<QWidget*>();
    startState.take(this, kept);
}

void RegisterForm::Form_Unload() {
    if (def_.unloadClearsPickMode)
        Module1::PickMode = false;
    if (def_.unloadAppliesMenuRights)
        emit menuRightsDue();
}

void RegisterForm::ClearAll() {
    for (QLineEdit* b : boundBoxes())
        b->clear();
    keyBox->clear();
    clearExtra();
}

QString RegisterForm::searchQuery(const QString& criterion, QVariantList& params) const {
    const QString select = RegisterDefinition::selectList(gridColumns());
    for (const auto& c : def_.criteria)
        if (c.caption == criterion)
            return containsQuery(select, def_.table, {}, c.column, c.condition,
                                 txt_s_value ? txt_s_value->text() : QString(), params);
    QString sql = QStringLiteral("select %1 from %2").arg(select, def_.table);
    if (!listOrder().isEmpty())
        sql += QStringLiteral(" order by ") + listOrder();
    return sql;
}

QString RegisterForm::containsQuery(const QString& select, const QString& table, const QString& qualifier,
                                    const QString& column, const QString& condition, const QString& text,
                                    QVariantList& params) const {
    const QString order = listOrder();
    const QString also = condition.isEmpty() ? QString() : condition + QStringLiteral(" and ");
    if (const auto walk = OrderedSearch::walk(*Con, table, column, text, params, qualifier, order))
        return QStringLiteral("select %1 from %2 where %3%4 order by %5")
            .arg(select, walk->from, also, walk->filter, walk->order);
    const QString filter = TextSearch::contains(*Con, table, column, text, params, qualifier, order);
    if (!TextSearch::findsMatchesFirst(filter))
        if (const auto covered =
                OrderedSearch::coveredList(*Con, select, table, qualifier, also + filter, order))
            return *covered;
    QString sql = QStringLiteral("select %1 from %2%3 where %4%5")
                      .arg(select, table, qualifier.isEmpty() ? QString() : u' ' + qualifier, also, filter);
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return sql;
}

QString RegisterForm::listOrder() const {
    // The grid reads the list a page at a time: rows that tie in the register's order are kept in
    // one order by the key, so no row is listed twice or missed at a page's edge.
    // A register without an order of its own is listed in the order of its keys.
    if (def_.orderBy.isEmpty())
        return def_.key;
    static const QRegularExpression word(QStringLiteral("\\w+"));
    QStringList named;
    for (auto it = word.globalMatch(def_.orderBy); it.hasNext();)
        named << it.next().captured().toLower();
    if (def_.key.isEmpty() || named.contains(def_.key.toLower()))
        return def_.orderBy;
    return def_.orderBy + QStringLiteral(", ") + def_.key;
}

void RegisterForm::FillGird(const QString& criterion) {
    QVariantList params;
    const QString sql = searchQuery(criterion, params);
    // The grid reads the result itself, a screenful now and more as the user scrolls.
    Msh->setRedraw(false);
    const bool empty = Msh->bindQuery(*Con, sql, params, gridCaptions()) == 0;
    if (empty && def_.emptyGrid == RegisterDefinition::EmptyGrid::Cleared) {
        Msh->clearToEmpty();
        Msh->setRedraw(true);
        return;
    }
    if (empty && def_.emptyGrid == RegisterDefinition::EmptyGrid::HeaderOverEmptyRow)
        Msh->setRows(2);
    Msh->setRedraw(true);
    setGrid();
}

QStringList RegisterForm::gridCaptions() const {
    QStringList captions;
    for (const auto& g : gridColumns())
        captions << g.header;
    return captions;
}

void RegisterForm::listInGrid(const QString& sql, const QVariantList& params) {
    Msh->setRedraw(false);
    Msh->bindQuery(*Con, sql, params, gridCaptions());
    Msh->setRedraw(true);
    setGrid();
}

void RegisterForm::setGrid() {
    const auto& columns = gridColumns();
    for (int c = 0; c < columns.size() && c < Msh->Cols(); ++c) {
        const auto& g = columns[c];
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

bool RegisterForm::saveRow(bool isNew) {
    if (isNew) {
        Rs->AddNew();
    } else {
        if (Rs->RecordCount() < 1)
            return false; // another desk deleted the row
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
    if (!def_.codeColumn.isEmpty() && (!def_.codeOnInsertOnly || isNew))
        Rs->setField(def_.codeColumn, def_.codePrefix + keyBox->text());
    saveSteps(*Rs);
    Rs->Update();
    return true;
}

void RegisterForm::cmdSave_Click() {
    for (const auto& r : def_.required) {
        QLineEdit* b = box(r.box);
        if (b->text().isEmpty()) {
            ui::MsgBox(r.message, ui::vbInformation);
            b->setFocus();
            return;
        }
    }
    if (!validate())
        return;
    IsNew = keyBox->text().isEmpty();
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
            keyBox->clear(); // still a new row: nothing was written
            throw;
        }
    } else {
        bool saved = false;
        {
            Transaction t(*Con);
            Module1::OpenRs(QStringLiteral("select * from %1 where %2 = ?").arg(def_.table, def_.key),
                            {keyBox->text().toLongLong()});
            saved = saveRow(false);
            if (saved)
                t.commit();
        } // a row that vanished is rolled back before the message is shown
        if (!saved) {
            ui::MsgBox(
                QStringLiteral("This %1 no longer exists: another desk has deleted it. Nothing was saved.")
                    .arg(def_.noun),
                ui::vbInformation);
            return;
        }
    }
    FillGird(QString());
    afterStore();
    ClearAll();
    afterSave();
    if (def_.focusFirstAfterChange && firstEntry)
        firstEntry->setFocus();
}

void RegisterForm::cmdDelete_Click() {
    // A register that puts the focus back into its first box does so however the delete ends.
    const auto focusFirst = qScopeGuard([this] {
        if (def_.focusFirstAfterChange && firstEntry)
            firstEntry->setFocus();
    });
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
    if (!def_.cancelEnables.isEmpty())
        box(def_.cancelEnables)->setEnabled(true);
    if (def_.focusFirstAfterChange && firstEntry)
        firstEntry->setFocus();
}

void RegisterForm::cmdPrint_Click() {
    if (def_.printTemplate.isEmpty())
        return; // a register without a template does not print
    const QString key = keyBox ? keyBox->text() : QString();
    printReport(this, def_.printTemplate, key.isEmpty() ? QString() : def_.printFormulaPrefix + key, key);
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

QWidget* RegisterForm::initialFocus() const {
    if (firstEntry && firstEntry->isEnabled() && firstEntry->isVisibleTo(const_cast<RegisterForm*>(this)))
        return firstEntry;
    return Form::initialFocus();
}

void RegisterForm::cmb_s_cri_Change() {
    FillGird(cmb_s_cri->currentText());
}

void RegisterForm::loadPicked(int row) {
    ClearAll();
    keyBox->setText(cell(row, def_.key));
    FillData();
}

void RegisterForm::Msh_DblClick() {
    const int row = Msh->Row();
    if (row < 1 || Msh->TextMatrix(row, 0).isEmpty())
        return;
    writePickVariables(row);
    picks::answer(this);
    if (def_.pickTestsPickMode && Module1::PickMode) {
        unload();
        return;
    }
    cmdSave->setText(QStringLiteral("&Save"));
    if (SSTab1)
        SSTab1->setCurrentIndex(0);
    startState.restore(); // nothing of the row before stays where this row has no value
    loadPicked(row);
    if (firstEntry)
        firstEntry->setFocus();
}

void RegisterForm::Msh_KeyPress(int keyAscii) {
    if (keyAscii == 13 && def_.enterInGridPicks)
        Msh_DblClick();
}

} // namespace wb::common
