#include "editor/model/explorer/file_menu.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessaro {
namespace {

TEST(FileMenu, OnlyQtmNamesInAnyCaseOpen) {
    EXPECT_TRUE(IsMacroFileName("/h/a.QTM"));
    EXPECT_TRUE(IsMacroFileName("/h/a.qtm"));
    EXPECT_TRUE(IsMacroFileName(".Qtm"));
    EXPECT_FALSE(IsMacroFileName("/h/a.qtm.bak"));
    EXPECT_FALSE(IsMacroFileName("QTM"));
}

struct Recent {
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    explicit Recent(std::vector<std::string> entries) {
        for (std::size_t k = 0; k < entries.size(); ++k) config->RecentFiles[k] = entries[k];
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        for (int k = 1; k <= 5; ++k) out.push_back(config->RecentFiles[k].str());
        return out;
    }
};

TEST(FileMenu, DoLastFilesKeepsFiveAndNeverRepeatsTheNewFile) {
    using V = std::vector<std::string>;
    // Opening entry 3 of [P, Q, R, S, T] while X is current.
    Recent a({"X", "P", "Q", "R", "S", "T"});
    DoLastFiles(*a.config, "X", "R");
    EXPECT_EQ(a.Entries(), (V{"X", "P", "Q", "S", "T"}));

    // A new name pushes the oldest out.
    Recent b({"X", "P", "Q", "R", "S", "T"});
    DoLastFiles(*b.config, "X", "N");
    EXPECT_EQ(b.Entries(), (V{"X", "P", "Q", "R", "S"}));

    // The same file again: it stays current and becomes entry 1 as well.
    Recent c({"X", "P", "", "", "", ""});
    DoLastFiles(*c.config, "X", "X");
    EXPECT_EQ(c.Entries(), (V{"X", "P", "", "", ""}));

    // Names compare exactly.
    Recent d({"X", "p", "", "", "", ""});
    DoLastFiles(*d.config, "X", "P");
    EXPECT_EQ(d.Entries(), (V{"X", "p", "", "", ""}));
}

TEST(FileMenu, LastFileCaptionsNumberTheEntriesAndHideEmptyOnes) {
    Recent r({"X", "/h/a.QTM", "", "/h/c.QTM", "", ""});
    const auto captions = LastFileCaptions(*r.config);
    EXPECT_EQ(captions[0], "&1   /h/a.QTM");
    EXPECT_EQ(captions[1], "");
    EXPECT_EQ(captions[2], "&3   /h/c.QTM");
    Recent none({"X"});
    for (const std::string& c : LastFileCaptions(*none.config)) EXPECT_EQ(c, "");
}

TMacroRecord Sched(int type, int hour, int minute, bool pm) {
    TMacroRecord r;
    r.ScheduleType = static_cast<std::uint16_t>(type);
    r.ScheduleHour = static_cast<std::uint8_t>(hour);
    r.ScheduleMinute = static_cast<std::uint8_t>(minute);
    r.SchedulePM = pm ? 1 : 0;
    r.ScheduleDay = 3;
    r.ScheduleMonth = 3;
    r.ScheduleYear = 2027;
    r.ScheduleWeekDay = 1;
    r.MinutePastHour = 15;
    r.IntervalMinutes = 45;
    return r;
}

TEST(FileMenu, GetSchedDescribesEveryType) {
    EXPECT_EQ(GetSched(Sched(0, 9, 5, false)), "At Startup");
    EXPECT_EQ(GetSched(Sched(1, 9, 5, false)), "Once at 9:05AM on 3 March 2027");
    EXPECT_EQ(GetSched(Sched(2, 9, 5, false)), "Hourly at 15 minutes past the hour");
    TMacroRecord weekend = Sched(3, 12, 0, true);
    weekend.ScheduleDays[5] = 1;  // Saturday
    weekend.ScheduleDays[6] = 1;  // Sunday
    EXPECT_EQ(GetSched(weekend), "Daily at 12:00PM,Sun,Sat");
    TMacroRecord all = Sched(3, 7, 30, false);
    for (auto& d : all.ScheduleDays) d = 1;
    EXPECT_EQ(GetSched(all), "Daily at 7:30AM,Sun,Mon,Tue,Wed,Thu,Fri,Sat");
    EXPECT_EQ(GetSched(Sched(4, 10, 10, true)), "Weekly at 10:10PM on Sunday");
    EXPECT_EQ(GetSched(Sched(5, 1, 9, false)), "Monthly at 1:09AM on day 3 of each month");
    EXPECT_EQ(GetSched(Sched(6, 1, 0, false)), "every 45 minutes");
    EXPECT_EQ(GetSched(Sched(7, 1, 0, false)), "after 45 minutes of idle time");
    EXPECT_EQ(GetSched(Sched(8, 1, 0, false)), "");
    TMacroRecord badMonth = Sched(1, 9, 5, false);
    badMonth.ScheduleMonth = 13;
    EXPECT_EQ(GetSched(badMonth), "Once at 9:05AM on 3  2027");
}

}  // namespace
}  // namespace tessaro
