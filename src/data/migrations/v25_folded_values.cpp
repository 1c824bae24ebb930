#include "data/connection.h"
#include "data/migrations/migrations.h"
#include "data/valuelist.h"

namespace wb {

Migration migrationV25FoldedValues() {
    Migration m{25, QStringLiteral("the patients' names listed with their folds"), {}, {}};
    // Each keystroke tests every listed name: kept folded as the search folds the text, a name is
    // tested by a plain search for the folded text, not folded again for every keystroke.
    m.extra = [](Connection& con) {
        ValueList::recreate(con, {{QStringLiteral("Patient_Slips"), {QStringLiteral("Pat_name")}}});
    };
    return m;
}

} // namespace wb
