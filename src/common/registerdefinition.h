#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace wb::common {

// What one register screen varies of the common pattern: its table, its boxes, its search, its
// grid, its messages and its print. Boxes are named by their object names; the window checks every
// name when it binds its controls, so a misnamed box stops the window from opening.
struct RegisterDefinition {
    // Table and key column; the key rule: highest plus one (taken by the save), or given by the database.
    QString table;
    QString key;
    bool keyByDatabase = false;

    // Text boxes walked by the load, save, clear and length loops carry this Tag.
    QString tag = QStringLiteral("D");
    // Boxes the save loop skips (the code box, ...).
    QStringList skipped;
    // Controls a grid pick leaves as they are (besides the criterion list and the search box): a
    // choice that selects which rows the grid lists.
    QStringList keptOnPick;

    // Display code: column = prefix & key; written on every save or on insert only.
    QString codeColumn;
    QString codePrefix;
    bool codeOnInsertOnly = false;

    // Required boxes in the order they are tested, with their messages.
    struct Required {
        QString box;
        QString message;
    };
    QList<Required> required;

    // Search: criterion captions with the column each filters (and a fixed condition joined to
    // the filter, when one is given), and the order of the rows.
    struct Criterion {
        QString caption;
        QString column;
        QString condition;
    };
    QList<Criterion> criteria;
    QString orderBy; // e.g. "User_Code desc"
    // Criterion the load fills the grid with: the first criterion, or none.
    bool loadWithFirstCriterion = true;

    // The grid, one entry per column in select-list order: the result field (picks read cells by
    // it), the select expression when it is not the field itself, the header (empty: the field
    // name stays) and the width in twips (-1: as bound; 0 hides the column but keeps its values).
    struct GridColumn {
        QString field;
        QString header;
        int width = -1;
        QString expression;
    };
    QList<GridColumn> grid;

    // What the grid shows for a search that finds nothing.
    enum class EmptyGrid {
        Cleared,           // unbound, the empty header over one empty row
        HeaderOnly,        // bound: the headers alone
        HeaderOverEmptyRow // bound: the headers over one empty row
    };
    EmptyGrid emptyGrid = EmptyGrid::Cleared;

    // Maximum lengths of the boxes: none, or from the columns (text size / numeric digits).
    bool limitLengths = true;

    // The record's noun in "This <noun> no longer exists: ..." (a save of a row another desk deleted).
    QString noun = QStringLiteral("record");

    // Cancel clears the boxes and enables this box again (empty: none).
    QString cancelEnables;
    // After a save, a delete or a cancel the focus goes back to the first entry box.
    bool focusFirstAfterChange = false;

    // Delete: question, title, and whether to ask at all.
    QString deleteMessage = QStringLiteral("are you sure delete this information");
    QString deleteTitle = QStringLiteral("Confirm");
    bool confirmDelete = true;

    // Grid pick and exit.
    bool pickTestsPickMode = true;    // a pick closes the window while PickMode is set
    bool enterInGridPicks = false;    // Enter in the grid runs the pick
    bool exitHidesInPickMode = false; // Exit only hides while PickMode is set
    bool unloadClearsPickMode = true;
    bool unloadAppliesMenuRights = false;

    // Print: template file and the formula's prefix joined to the key (no formula without a key).
    QString printTemplate;
    QString printFormulaPrefix;

    // The select list of grid columns (by default the grid's).
    static QString selectList(const QList<GridColumn>& columns) {
        QStringList parts;
        for (const GridColumn& c : columns)
            parts << (c.expression.isEmpty() ? c.field : c.expression + QStringLiteral(" AS ") + c.field);
        return parts.join(QLatin1Char(','));
    }
    QString selectList() const { return selectList(grid); }
};

} // namespace wb::common
