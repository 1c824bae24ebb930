#include "certificates/columncontrol.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <stdexcept>

using wb::certificates::ColumnControl;

namespace {

// A control written by column names its column through its designed DataField; one without it is
// refused when the window is built, not skipped at the first save.
TEST(ColumnControlTest, TakesItsColumnFromTheDataFieldAndRefusesAControlWithout) {
    QComboBox sex;
    sex.setProperty("DataField", QStringLiteral("Sex"));
    EXPECT_EQ(ColumnControl(&sex).column(), QStringLiteral("Sex"));

    QDateEdit picker;
    picker.setObjectName(QStringLiteral("DTPicker9"));
    try {
        ColumnControl{&picker};
        FAIL() << "a picker without a DataField was taken";
    } catch (const std::logic_error& e) {
        EXPECT_NE(std::string(e.what()).find("DTPicker9"), std::string::npos) << e.what();
    }
    QLineEdit masked;
    EXPECT_THROW(ColumnControl{&masked}, std::logic_error);
}

} // namespace
