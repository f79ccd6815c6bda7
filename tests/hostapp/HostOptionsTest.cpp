// The command line: what it accepts, and a clear refusal (exit 1 with the usage) otherwise.
#include "HostOptions.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(HostOptions, AcceptedCommandLines) {
    HostOptions o;
    std::string error;
    ASSERT_TRUE(ParseHostOptions({"--db", "sqlite:/tmp/x.sqlite", "--run", "--module", "/a/libAObj.so",
                                  "--module", "/b/libBObj.so", "d.vxd"},
                                 o, error))
        << error;
    EXPECT_EQ(o.db, "sqlite:/tmp/x.sqlite");
    EXPECT_EQ(o.mode, HostOptions::Mode::Run);
    EXPECT_EQ(o.modules, (std::vector<std::string>{"/a/libAObj.so", "/b/libBObj.so"}));
    EXPECT_EQ(o.display, "d.vxd");

    HostOptions plain;
    ASSERT_TRUE(ParseHostOptions({}, plain, error));
    EXPECT_EQ(plain.mode, HostOptions::Mode::Edit);

    HostOptions snap;
    ASSERT_TRUE(ParseHostOptions({"--snapshot", "out.png", "--after-refresh", "d.vxd"}, snap, error))
        << error;
    EXPECT_EQ(snap.mode, HostOptions::Mode::Run) << "a snapshot is of the running display";
    EXPECT_TRUE(snap.afterRefresh);

    HostOptions sheet;
    ASSERT_TRUE(ParseHostOptions({"--edit", "d.vxd", "--property", "2", "--page", "2", "--snapshot", "p.png"},
                                 sheet, error))
        << error;
    EXPECT_EQ(sheet.mode, HostOptions::Mode::Edit) << "a sheet opens while the display is edited";
    EXPECT_EQ(sheet.property, 2);
    EXPECT_EQ(sheet.page, 2);
}

TEST(HostOptions, RefusedCommandLines) {
    const std::vector<std::vector<std::string>> bad = {
        {"--db"},
        {"--module"},
        {"--bogus"},
        {"a.vxd", "b.vxd"},
        {"--edit", "--run"},
        {"--after-refresh", "d.vxd"},
        {"--snapshot", "out.png"},
        {"--snapshot", "out.png", "--edit", "d.vxd"},
        {"--property", "1", "d.vxd"},
        {"--page", "2", "--snapshot", "out.png", "d.vxd"},
        {"--property", "0", "--snapshot", "out.png", "d.vxd"},
        {"--property", "1x", "--snapshot", "out.png", "d.vxd"},
        {"--property", "1", "--run", "--snapshot", "out.png", "d.vxd"},
        {"--property", "1", "--snapshot", "out.png", "--after-refresh", "d.vxd"},
    };
    for (const auto& args : bad) {
        HostOptions o;
        std::string error;
        EXPECT_FALSE(ParseHostOptions(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(HostOptions, TheProgramExitsWithTheUsageOnBadArguments) {
    QProcess host;
    host.start(VEXORHOST_EXE, {"--snapshot", "x.png", "--frobnicate"});
    ASSERT_TRUE(host.waitForFinished(30000));
    EXPECT_EQ(host.exitCode(), 1);
    const QString err = QString::fromUtf8(host.readAllStandardError());
    EXPECT_TRUE(err.contains("unknown option '--frobnicate'")) << err.toStdString();
    EXPECT_TRUE(err.contains("usage: vexorhost")) << err.toStdString();
}

} // namespace
