#pragma once

#include <QString>

namespace wb {
class Connection;
}

// The head-wise report's work rows. CreateHeadWise fills rptHeadWise for one day: one row per test
// charged that day on a slip that is not cancelled, under its service head, with the number of times
// it was charged and the amount. The rows live in a temporary table of the connection that made them
// (it hides the empty rptHeadWise of the catalogue from that connection only), so two desks printing
// at once never see each other's rows; DropHeadWise removes them once the report is drawn, and the
// database removes them anyway when the connection ends.
namespace wb::slips {

// `day` is the date as yyyy-mm-dd; anything else raises an error and fills nothing. The fill replaces
// the rows of the connection's previous run, in one transaction.
void CreateHeadWise(Connection& con, const QString& day);
void DropHeadWise(Connection& con);

// Runs CreateHeadWise on construction and DropHeadWise when it goes out of scope.
class HeadWiseRun {
public:
    HeadWiseRun(Connection& con, const QString& day);
    ~HeadWiseRun();
    HeadWiseRun(const HeadWiseRun&) = delete;
    HeadWiseRun& operator=(const HeadWiseRun&) = delete;

private:
    Connection& con_;
};

} // namespace wb::slips
