// Every keystroke of typing, as a user types it, on data shaped like a hospital's (WARDBOOK_BENCH_ROWS
// patients and admissions, default 1,000,000, a tenth as many death and discharge certificates;
// names from bench/support/names.h, codes and references not in the lists' order): the patient
// register's name and code searches, the admission and observation screens' name and registration
// searches, the death and discharge windows' serial search and the box cleared again; every window's
// opening; scrolling the observation grid to row 50,000; and the memory with every window open and
// after they close. On the embedded database and (when WARDBOOK_TEST_PG names a server) on
// PostgreSQL, filled once in one transaction; the embedded database's file is kept in the temporary
// folder between runs (and brought to the program's newest schema when it is reused).
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
#include <malloc.h>
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
    const auto uniform = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    QVector<QString> patientNames(n);
    QVector<bool> men(n);
    wbbench::insertRows(con, QStringLiteral("Patient_Slips"),
                        {"Row_no", "Code_no", "Pat_name", "Fat_name", "Sex", "Pat_date", "Tel_no", "Addr"}, n,
                        [&](int i) {
                            bool male = false;
                            patientNames[i] = names.next(&male);
                            men[i] = male;
                            return QVariantList{i + 1,
                                                QStringLiteral("PAT-%1").arg(codes[i]),
                                                patientNames[i],
                                                names.next(),
                                                male ? "M" : "F",
                                                today.addDays(-(i % 3000)),
                                                names.phone(),
                                                names.address()};
                        });
    wbbench::insertRows(con, QStringLiteral("doc"), {"Row_no", "doc_code", "doc_name", "Status"}, 60,
                        [](int i) {
                            return QVariantList{i + 1, QStringLiteral("DOC-%1").arg(i + 1),
                                                QStringLiteral("DR %1").arg(i + 1), "Doctor"};
                        });
    // Admission i is of a patient registered at random; certificate i is of admission i.
    QVector<int> admitted(n);
    wbbench::insertRows(con, QStringLiteral("Addmission"),
                        {"Row_no", "Ipd_code", "Reg_no", "admdate", "Pat_row_id", "Age", "Yr", "Room_no",
                         "Tel_no", "Addr", "consultant", "duty_doc", "reff_doc", "Shift", "admtime"},
                        n, [&](int i) {
                            admitted[i] = uniform(1, n);
                            return QVariantList{i + 1,
                                                QStringLiteral("IPD-%1").arg(i + 1),
                                                QStringLiteral("R-%1").arg(regs[i]),
                                                today.addDays(-(i % 3000)),
                                                admitted[i],
                                                uniform(1, 90),
                                                "Y",
                                                QStringLiteral("ROOM %1").arg(uniform(1, 120)),
                                                names.phone(),
                                                names.address(),
                                                uniform(1, 60),
                                                uniform(1, 60),
                                                uniform(1, 60),
                                                i % 3 == 0 ? "N" : "M",
                                                QTime(uniform(0, 23), uniform(0, 59))};
                        });
    const QVector<int> serials = wbbench::shuffled(certificates(), 4);
    const auto sex = [&](int i) { return men[admitted[i] - 1] ? "M" : "F"; };
    wbbench::insertRows(con, QStringLiteral("Death_Certificate"),
                        {"Row_no", "Ser_no", "Add_no", "Date_of_Death", "Place_of_death", "Consultant", "Sex",
                         "Age", "Duty_doc", "Issu_date", "Issu_time"},
                        certificates(), [&](int i) {
                            return QVariantList{i + 1,
                                                QStringLiteral("DC-%1").arg(serials[i]),
                                                QStringLiteral("R-%1").arg(regs[i]),
                                                today.addDays(-(i % 3000)),
                                                "WARD",
                                                uniform(1, 60),
                                                sex(i),
                                                uniform(40, 95),
                                                uniform(1, 60),
                                                today.addDays(-(i % 3000)),
                                                QTime(uniform(0, 23), uniform(0, 59))};
                        });
    wbbench::insertRows(con, QStringLiteral("Discharge_Certificate"),
                        {"Row_no", "Ser_No", "Reg_No", "Date_of_Addmision", "Pat_name", "Sex", "Age",
                         "Consul", "Issu_date", "Issu_time"},
                        certificates(), [&](int i) {
                            return QVariantList{i + 1,
                                                QStringLiteral("DIS-%1").arg(serials[i]),
                                                QStringLiteral("R-%1").arg(regs[i]),
                                                today.addDays(-(i % 3000)),
                                                patientNames[admitted[i] - 1],
                                                sex(i),
                                                uniform(1, 90),
                                                uniform(1, 60),
                                                today.addDays(-(i % 3000)),
                                                QTime(uniform(0, 23), uniform(0, 59))};
                        });
    if (con.engine() == wb::Engine::Sqlite)
        con.Execute(QStringLiteral("analyze"));
}

// The data's shape is part of the file's name: a file of an older shape is never reused.
bool connect(benchmark::State& state, wb::Engine engine) {
    return wbbench::openShared(
        state, engine,
        {.postgresDatabase = QStringLiteral("wb_bench_typing2"),
         .sqliteFile = QDir::temp().filePath(QStringLiteral("wardbook-typing2-%1.sqlite").arg(rows())),
         .countQuery = QStringLiteral("select count(*) from Addmission"),
         .rows = rows(),
         .emptied = {"Discharge_Certificate", "Death_Certificate", "Addmission", "doc", "Patient_Slips"},
         .fill = fill});
}

// A window as a user meets it: loaded, shown, on its search page, painted.
template <class W> std::unique_ptr<W> shown() {
    auto w = std::make_unique<W>();
    w->Form_Load();
    w->resize(1000, 600);
    w->show();
    w->ui()->SSTab1->setCurrentIndex(1);
    return w;
}

template <class W> QLineEdit* searchBox(W* w) {
    if constexpr (std::is_same_v<W, frm_patient_detail>)
        return w->ui()->txt_s_value;
    else
        return w->ui()->txt_s_val;
}

template <class W>
void typing(benchmark::State& state, wb::Engine engine, int criterion, const QString& text) {
    if (!connect(state, engine))
        return;
    {
        std::unique_ptr<W> w;
        wbbench::settle(nullptr, [&] { w = shown<W>(); });
        wbbench::settle(w.get(), [&] { w->ui()->cmb_s_cri->setCurrentIndex(criterion); });
        wbbench::timeTyping(state, searchBox(w.get()), text);
    }
    wbbench::closeShared();
}

// The window opened, loaded, on its search page and painted (until it has painted for the last time).
template <class W> void opening(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    QVector<double> times;
    for (auto _ : state) {
        std::unique_ptr<W> w;
        const double ms = wbbench::settle(nullptr, [&] { w = shown<W>(); });
        times << ms;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["first_ms"] = times.value(0);
    state.counters["median_ms"] = wbbench::percentile(times.mid(1), 0.5);
    wbbench::memoryCounters(state);
    wbbench::closeShared();
}

void observationScrolling(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    {
        std::unique_ptr<frm_Observation> w;
        wbbench::settle(nullptr, [&] { w = shown<frm_Observation>(); });
        w->ui()->cmb_s_cri->setCurrentText(QStringLiteral("Date"));
        wbbench::timeScrolling(state, w->Msh, std::min(50000, rows() - 1), [&] { w->FillGird(); });
    }
    wbbench::closeShared();
}

// Every window of these lists opened once, then closed again: run it in a process of its own
// (--benchmark_filter=EveryWindow) for figures that earlier runs do not colour.
void everyWindow(benchmark::State& state, wb::Engine engine) {
    if (!connect(state, engine))
        return;
    const double idle = wbbench::memoryMiB("VmRSS");
    double open = 0;
    double closed = 0;
    double trimmed = 0;
    for (auto _ : state) {
        {
            std::unique_ptr<frm_patient_detail> a;
            std::unique_ptr<frm_Addmission> b;
            std::unique_ptr<frm_Observation> c;
            std::unique_ptr<frm_Death_Cer> d;
            std::unique_ptr<frm_Discharge_Cer> e;
            wbbench::settle(nullptr, [&] {
                a = shown<frm_patient_detail>();
                b = shown<frm_Addmission>();
                c = shown<frm_Observation>();
                d = shown<frm_Death_Cer>();
                e = shown<frm_Discharge_Cer>();
            });
            open = wbbench::memoryMiB("VmRSS");
        }
        wbbench::settle(nullptr, [] {});
        closed = wbbench::memoryMiB("VmRSS");
        malloc_trim(0); // what is still held, apart from what the allocator keeps for reuse
        trimmed = wbbench::memoryMiB("VmRSS");
    }
    state.counters["idle_MiB"] = idle;
    state.counters["open_MiB"] = open;
    state.counters["closed_MiB"] = closed;
    state.counters["closed_trimmed_MiB"] = trimmed;
    state.counters["peak_MiB"] = wbbench::memoryMiB("VmHWM");
    wbbench::closeShared();
}

void patientTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_patient_detail>(s, e, criterion, text);
}
void admissionTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Addmission>(s, e, criterion, text);
}
void observationTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Observation>(s, e, criterion, text);
}
void deathTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Death_Cer>(s, e, criterion, text);
}
void dischargeTyping(benchmark::State& s, wb::Engine e, int criterion, const QString& text) {
    typing<frm_Discharge_Cer>(s, e, criterion, text);
}
void patientOpen(benchmark::State& s, wb::Engine e) {
    opening<frm_patient_detail>(s, e);
}
void admissionOpen(benchmark::State& s, wb::Engine e) {
    opening<frm_Addmission>(s, e);
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

#define WARDBOOK_TYPED(function, name, E, criterion, text)                                                   \
    BENCHMARK_CAPTURE(function, name, E, criterion, QStringLiteral(text))                                    \
        ->UseManualTime()                                                                                    \
        ->Iterations(5)                                                                                      \
        ->Unit(benchmark::kMillisecond)
#define WARDBOOK_OPENED(function, name, E)                                                                   \
    BENCHMARK_CAPTURE(function, name, E)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond)

// The criteria are the windows' own, by position: the register's Patient Name and Patient Code; the
// admission and observation screens' Reg No and Patient Name; the certificates' Serial No.
#define WARDBOOK_TYPING(Engine, E)                                                                           \
    WARDBOOK_TYPED(patientTyping, Engine##PatientFew, E, 0, "XQ");                                           \
    WARDBOOK_TYPED(patientTyping, Engine##PatientName, E, 0, "MUHAMMAD ALI K");                              \
    WARDBOOK_TYPED(patientTyping, Engine##PatientLateName, E, 0, "ZAINAB KHAN");                             \
    WARDBOOK_TYPED(patientTyping, Engine##PatientCode, E, 1, "PAT-43");                                      \
    WARDBOOK_TYPED(admissionTyping, Engine##AdmissionName, E, 1, "MUHAMMAD");                                \
    WARDBOOK_TYPED(admissionTyping, Engine##AdmissionReg, E, 0, "R-43");                                     \
    WARDBOOK_TYPED(observationTyping, Engine##ObservationName, E, 1, "ZAINAB");                              \
    WARDBOOK_TYPED(observationTyping, Engine##ObservationReg, E, 0, "R-43");                                 \
    WARDBOOK_TYPED(deathTyping, Engine##Death, E, 0, "DC-4");                                                \
    WARDBOOK_TYPED(dischargeTyping, Engine##Discharge, E, 0, "DIS-4");                                       \
    WARDBOOK_OPENED(patientOpen, Engine##PatientOpen, E);                                                    \
    WARDBOOK_OPENED(admissionOpen, Engine##AdmissionOpen, E);                                                \
    WARDBOOK_OPENED(observationOpen, Engine##ObservationOpen, E);                                            \
    WARDBOOK_OPENED(deathOpen, Engine##DeathOpen, E);                                                        \
    WARDBOOK_OPENED(dischargeOpen, Engine##DischargeOpen, E);                                                \
    BENCHMARK_CAPTURE(observationScrolling, Engine##ObservationScroll, E)                                    \
        ->UseManualTime()                                                                                    \
        ->Iterations(2)                                                                                      \
        ->Unit(benchmark::kMillisecond);                                                                     \
    BENCHMARK_CAPTURE(everyWindow, Engine##EveryWindow, E)->Iterations(1)->Unit(benchmark::kMillisecond);

WARDBOOK_TYPING(Sqlite, wb::Engine::Sqlite)
WARDBOOK_TYPING(Postgres, wb::Engine::Postgres)

WARDBOOK_BENCHMARK_MAIN()
