// Every keystroke of typing, as a user types it, on realistic data (WARDBOOK_BENCH_ROWS patients and
// admissions, default 1,000,000, a tenth as many death and discharge certificates; names from
// bench/support/names.h): the patient register, the admission screen's name search, the death and
// discharge windows; the windows' opening; scrolling the observation grid to row 50,000; and the
// memory with every window open and after they close. On the embedded database and (when
// WARDBOOK_TEST_PG names a server) on PostgreSQL. The embedded database is kept in the temporary
// folder between runs.
#include "certificates/frm_Death_Cer.h"
#include "certificates/frm_Discharge_Cer.h"
#include "inpatient/frm_Addmission.h"
#include "inpatient/frm_Observation.h"
#include "registers/frm_patient_detail.h"
#include "session/module1.h"
#include "ui/flexgrid.h"
#include "ui_frm_Addmission.h"
#include "ui_frm_Death_Cer.h"
#include "ui_frm_Discharge_Cer.h"
#include "ui_frm_Observation.h"
#include "ui_frm_patient_detail.h"

#include "benchdb.h"
#include "benchmain.h"
#include "memory.h"
#include "names.h"
#include "typing.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QTime>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

int rows() {
    const int n = qEnvironmentVariableIntValue("WARDBOOK_BENCH_ROWS");
    return n > 0 ? n : 1000000;
}

int certificates() {
    return rows() / 10;
}

void fill(wb::Connection& con) {
    const int n = rows();
    const QDate today(2026, 12, 8);
    const QVector<int> codes = wbbench::shuffled(n, 1);
    const QVector<int> regs = wbbench::shuffled(n, 2);
    wbbench::Names names;
    std::mt19937 random(3);
    wbbench::insertRows(con, QStringLiteral("Patient_Slips"),
                        {"Row_no", "Code_no", "Pat_name", "Fat_name", "Sex", "Pat_date"}, n, [&](int i) {
                            bool male = false;
                            const QString name = names.next(&male);
                            return QVariantList{i + 1,
                                                QStringLiteral("PAT-%1").arg(codes[i]),
                                                name,
                                                names.next(),
                                                male ? "M" : "F",
                                                today.addDays(-(i % 3000))};
                        });
    wbbench::insertRows(con, QStringLiteral("doc"), {"Row_no", "doc_code", "doc_name", "Status"}, 60,
                        [](int i) {
                            return QVariantList{i + 1, QStringLiteral("DOC-%1").arg(i + 1),
                                                QStringLiteral("DR %1").arg(i + 1), "Doctor"};
                        });
    wbbench::insertRows(con, QStringLiteral("Addmission"),
                        {"Row_no", "Ipd_code", "Reg_no", "admdate", "Pat_row_id", "Age", "Yr", "Room_no",
                         "consultant", "duty_doc", "reff_doc", "Shift", "admtime"},
                        n, [&](int i) {
                            const int patient = std::uniform_int_distribution<int>(1, n)(random);
                            return QVariantList{i + 1,
                                                QStringLiteral("IPD-%1").arg(i + 1),
                                                QStringLiteral("R-%1").arg(regs[i]),
                                                today.addDays(-(i % 3000)),
                                                patient,
                                                30,
                                                "Y",
                                                "ROOM",
                                                1 + i % 60,
                                                1 + (i + 1) % 60,
                                                1 + (i + 2) % 60,
                                                "M",
                                                QTime(10, 0)};
                        });
    const QVector<int> serials = wbbench::shuffled(certificates(), 4);
    wbbench::insertRows(con, QStringLiteral("Death_Certificate"),
                        {"Row_no", "Ser_no", "Add_no", "Date_of_Death", "Place_of_death", "Consultant", "Sex",
                         "Age", "Duty_doc", "Issu_date", "Issu_time"},
                        certificates(), [&](int i) {
                            return QVariantList{i + 1,
                                                QStringLiteral("DC-%1").arg(serials[i]),
                                                QStringLiteral("R-%1").arg(regs[i]),
                                                today.addDays(-(i % 3000)),
                                                "WARD",
                                                1 + i % 60,
                                                "M",
                                                60,
                                                1 + (i + 1) % 60,
                                                today.addDays(-(i % 3000)),
                                                QTime(11, 0)};
                        });
    wbbench::insertRows(con, QStringLiteral("Discharge_Certificate"),
                        {"Row_no", "Ser_No", "Reg_No", "Date_of_Addmision", "Pat_name", "Sex", "Age",
                         "Consul", "Issu_date", "Issu_time"},
                        certificates(), [&](int i) {
                            return QVariantList{i + 1,
                                                QStringLiteral("DS-%1").arg(serials[i]),
                                                QStringLiteral("R-%1").arg(regs[i]),
                                                today.addDays(-(i % 3000)),
                                                names.next(),
                                                "M",
                                                40,
                                                1 + i % 60,
                                                today.addDays(-(i % 3000)),
                                                QTime(12, 0)};
                        });
    if (con.engine() == wb::Engine::Sqlite)
        con.Execute(QStringLiteral("analyze"));
}

bool connect(benchmark::State& state, wb::Engine engine) {
    return wbbench::openShared(
        state, engine,
        {.postgresDatabase = QStringLiteral("wb_bench_typing"),
         .sqliteFile = QDir::temp().filePath(QStringLiteral("wardbook-typing-%1.sqlite").arg(rows())),
         .countQuery = QStringLiteral("select count(*) from Addmission"),
         .rows = rows(),
         .emptied = {"Discharge_Certificate", "Death_Certificate", "Addmission", "doc", "Patient_Slips"},
         .fill = fill});
}

// A window as a user meets it: loaded, shown, on its search page.
template <class W> std::unique_ptr<W> shown() {
    auto w = std::make_unique<W>();
    w->Form_Load();
    w->resize(1000, 600);
    w->show();
    w->ui()->SSTab1->setCurrentIndex(1);
    QApplication::processEvents();
    return w;
}

template <class W>
void typing(benchmark::State& state, wb::Engine engine, int criterion, const QString& text) {
    if (!connect(state, engine))
        return;
    {
        auto w = shown<W>();
        w->ui()->cmb_s_cri->setCurrentIndex(criterion);
        QApplication::processEvents();
        QLineEdit* box = nullptr;
        if constexpr (std::is_same_v<W, frm_patient_detail>)
            box = w->ui()->txt_s_value;
        else
            box = w->ui()->txt_s_val;
        wbbench::timeTyping(state, box, text);
    }
    wbbench::closeShared();
}

// The window opened, loaded and painted.
template <class W> void opening(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto w = shown<W>();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    wbbench::memoryCounters(state);
    wbbench::closeShared();
}

void observationScrolling(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    {
        auto w = shown<frm_Observation>();
        w->ui()->cmb_s_cri->setCurrentText(QStringLiteral("Date"));
        wbbench::timeScrolling(state, w->Msh, std::min(50000, rows() - 1), [&] { w->FillGird(); });
    }
    wbbench::closeShared();
}

// Every window of these lists opened once, then closed again.
void everyWindow(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    const double idle = wbbench::memoryMiB("VmRSS");
    double open = 0;
    double closed = 0;
    for (auto _ : state) {
        {
            auto a = shown<frm_patient_detail>();
            auto b = shown<frm_Addmission>();
            auto c = shown<frm_Observation>();
            auto d = shown<frm_Death_Cer>();
            auto e = shown<frm_Discharge_Cer>();
            open = wbbench::memoryMiB("VmRSS");
        }
        QApplication::processEvents();
        closed = wbbench::memoryMiB("VmRSS");
    }
    state.counters["idle_MiB"] = idle;
    state.counters["open_MiB"] = open;
    state.counters["closed_MiB"] = closed;
    wbbench::closeShared();
}

void patientTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_patient_detail>(s, e, criterion, text);
}
void admissionTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Addmission>(s, e, criterion, text);
}
void deathTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Death_Cer>(s, e, criterion, text);
}
void dischargeTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Discharge_Cer>(s, e, criterion, text);
}
void observationOpen(benchmark::State& s, wb::Engine e) {
    opening<frm_Observation>(s, e);
}
void deathOpen(benchmark::State& s, wb::Engine e) {
    opening<frm_Death_Cer>(s, e);
}
void dischargeOpen(benchmark::State& s, wb::Engine e) {
    opening<frm_Discharge_Cer>(s, e);
}

} // namespace

#define WARDBOOK_TYPING(Engine, E)                                                                           \
    BENCHMARK_CAPTURE(patientTyping, Engine##PatientFew, E, 0, QStringLiteral("XQ"))                         \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(patientTyping, Engine##PatientName, E, 0, QStringLiteral("MUHAMMAD ALI K"))            \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(patientTyping, Engine##PatientLateName, E, 0, QStringLiteral("ZAINAB KHAN"))           \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(patientTyping, Engine##PatientCode, E, 1, QStringLiteral("PAT-43"))                    \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(admissionTyping, Engine##AdmissionName, E, 1, QStringLiteral("MUHAMMAD"))              \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(deathTyping, Engine##Death, E, 0, QStringLiteral("DC-4"))                              \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(dischargeTyping, Engine##Discharge, E, 0, QStringLiteral("DS-4"))                      \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(observationOpen, Engine##ObservationOpen, E)                                           \
        ->UseManualTime()                                                                                    \
        ->Iterations(3)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(deathOpen, Engine##DeathOpen, E)                                                       \
        ->UseManualTime()                                                                                    \
        ->Iterations(3)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(dischargeOpen, Engine##DischargeOpen, E)                                               \
        ->UseManualTime()                                                                                    \
        ->Iterations(3)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(observationScrolling, Engine##ObservationScroll, E)                                    \
        ->UseManualTime()                                                                                    \
        ->Iterations(2)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(everyWindow, Engine##EveryWindow, E)->Iterations(1)->Unit(benchmark::kMillisecond);

WARDBOOK_TYPING(Sqlite, wb::Engine::Sqlite)
WARDBOOK_TYPING(Postgres, wb::Engine::Postgres)

WARDBOOK_BENCHMARK_MAIN()
