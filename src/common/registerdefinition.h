#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace wb::common {

// What one register screen varies of the common pattern: its table, its boxes, its search, its
// grid, its messages and its print.
struct RegisterDefinition {
    // Table and key column; the key rule: highest plus one (taken by the save), or given by the database.
    QString table;
    QString key;
    bool keyByDatabase = false;

    // Text boxes walked by the load, save, clear and length loops carry this Tag.
    QString tag = QStringLiteral("D");
    // Boxes the save loop skips (the code box, ...).
    QStringList skipped;

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

    // Search: criterion captions with the column each filters; the select list and order.
    struct Criterion {
        QString caption;
        QString column;
    };
    QList<Criterion> criteria;
    QString selectList;
    QString orderBy; // e.g. "User_Code desc"
    // Criterion the load fills the grid with: the first criterion, or none.
    bool loadWithFirstCriterion = true;

    // Grid headers and widths in twips, columns in the order of the select list. A width of -1 or an
    // empty header leaves that column as bound.
    struct GridColumn {
        QString header;
        int width = -1;
    };
    QList<GridColumn> grid;

    // Maximum lengths of the boxes: none, or from the columns (text size / numeric digits).
    bool limitLengths = true;

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
};

} // namespace wb::common
