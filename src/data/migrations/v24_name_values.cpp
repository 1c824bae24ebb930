#include "data/connection.h"
#include "data/migrations/migrations.h"

namespace wb {

Migration migrationV24NameValues() {
    Migration m{24, QStringLiteral("the patients' names listed by value"), {}, {}};
    // A hospital's patients bear a few thousand names, most of them made of a few common words: a
    // part of a name is tested in the list of names, and the patients of the names that hold it are
    // read through the name's index.
    m.valueLists = {{QStringLiteral("Patient_Slips"), {QStringLiteral("Pat_name")}}};
    return m;
}

} // namespace wb
