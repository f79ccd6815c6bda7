// The real executable writing a headless snapshot of a demo display: without a desktop it picks
// the offscreen platform itself, loads the module from its plug-in folder and writes the whole
// canvas; a picture it cannot write is a failure, not a half file.
#include "DisplayView.h"
#include "HostModules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/resource.h>

namespace {

class Snapshot : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VEXOR_DB", "VEXORHOST_PLUGINS"})
            m_env.remove(name);
        m_env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        m_env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        m_env.insert("XDG_STATE_HOME", m_dir.filePath("state"));
        ASSERT_EQ(Run(VEXORQUERY_EXE, {"demo-display", Path("demo.vxd")}), 0) << m_err;
    }
    // fileSizeLimit: the largest file the program may write, in bytes; 0 for no limit.
    int Run(const QString& program, const QStringList& args, rlim_t fileSizeLimit = 0) {
        QProcess p;
        p.setProcessEnvironment(m_env);
        if (fileSizeLimit)
            p.setChildProcessModifier([fileSizeLimit] {
                rlimit limit{fileSizeLimit, fileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        p.start(program, args);
        if (!p.waitForFinished(120000)) return -1;
        m_out = QString::fromUtf8(p.readAllStandardOutput()).toStdString();
        m_err = QString::fromUtf8(p.readAllStandardError()).toStdString();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    std::string m_out, m_err;
};

// Up to the farthest element of the display plus the margin, read with the module loaded.
QSize CanvasOf(const QString& display) {
    HostModules modules;
    if (!modules.Load({}, {VEXOR_QUERY_MODULE}).errors.empty()) return {};
    CDisplayDocument document;
    CDisplayLoadError error;
    if (!document.LoadFile(display.toStdString(), error)) return {};
    LONG right = 0, bottom = 0;
    for (const auto& e : document.m_objects) {
        right = std::max(right, e->m_rect.right);
        bottom = std::max(bottom, e->m_rect.bottom);
    }
    return QSize(int(right) + DisplayView::kCanvasMargin, int(bottom) + DisplayView::kCanvasMargin);
}

TEST_F(Snapshot, WritesTheWholeCanvasAndSaysWhere) {
    ASSERT_EQ(Run(VEXORHOST_EXE, {"--snapshot", Path("shot.png"), Path("demo.vxd")}), 0) << m_err;
    EXPECT_EQ(m_out, Path("shot.png").toStdString() + "\n");
    QImage image(Path("shot.png"));
    ASSERT_FALSE(image.isNull());
    const QSize canvas = CanvasOf(Path("demo.vxd"));
    ASSERT_GT(canvas.width(), 1020);
    EXPECT_EQ(image.size(), canvas);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), (QStringList{"demo.vxd", "shot.png"}));
}

TEST_F(Snapshot, AfterARefreshOnTheDemoDatabase) {
    const QString db = "sqlite:" + Path("demo.sqlite");
    ASSERT_EQ(Run(VEXORQUERY_EXE, {"demo-db", db}), 0) << m_err;
    ASSERT_EQ(Run(VEXORHOST_EXE,
                  {"--db", db, "--snapshot", Path("after.png"), "--after-refresh", Path("demo.vxd")}),
              0)
        << m_err;
    EXPECT_EQ(QImage(Path("after.png")).size(), CanvasOf(Path("demo.vxd")));
}

TEST_F(Snapshot, OfAnElementsPropertySheetLeavesTheDisplayAsItWas) {
    QFile display(Path("demo.vxd"));
    ASSERT_TRUE(display.open(QIODevice::ReadOnly));
    const QByteArray before = display.readAll();
    display.close();
    ASSERT_EQ(Run(VEXORHOST_EXE, {"--edit", Path("demo.vxd"), "--property", "2", "--page", "2", "--snapshot",
                                  Path("sheet.png")}),
              0)
        << m_err;
    const QImage sheet(Path("sheet.png"));
    ASSERT_FALSE(sheet.isNull());
    EXPECT_GT(sheet.width(), 300);
    EXPECT_LT(sheet.width(), 1020) << "the sheet, not the canvas";
    ASSERT_TRUE(display.open(QIODevice::ReadOnly));
    EXPECT_EQ(display.readAll(), before);

    EXPECT_EQ(
        Run(VEXORHOST_EXE, {"--edit", Path("demo.vxd"), "--property", "99", "--snapshot", Path("no.png")}), 1);
    EXPECT_NE(m_err.find("no element 99"), std::string::npos) << m_err;
    EXPECT_EQ(Run(VEXORHOST_EXE, {"--edit", Path("demo.vxd"), "--property", "1", "--page", "5", "--snapshot",
                                  Path("no.png")}),
              1);
    EXPECT_NE(m_err.find("no page 5"), std::string::npos) << m_err;
    EXPECT_FALSE(QFileInfo::exists(Path("no.png")));
}

TEST_F(Snapshot, FailuresExitOneWithoutLeavingAPicture) {
    EXPECT_EQ(Run(VEXORHOST_EXE, {"--snapshot", Path("no/such/dir/shot.png"), Path("demo.vxd")}), 1);
    EXPECT_NE(m_err.find("snapshot failed"), std::string::npos) << m_err;

    EXPECT_EQ(Run(VEXORHOST_EXE, {"--snapshot", Path("shot.png"), Path("absent.vxd")}), 1);
    EXPECT_NE(m_err.find("cannot open"), std::string::npos) << m_err;
    // A folder or a device named as the display is refused, not read.
    for (const QString& display : {m_dir.path(), QString("/dev/zero")}) {
        EXPECT_EQ(Run(VEXORHOST_EXE, {"--snapshot", Path("shot.png"), display}), 1) << display.toStdString();
        EXPECT_NE(m_err.find("not a regular file"), std::string::npos) << m_err;
    }
    EXPECT_FALSE(QFile::exists(Path("shot.png")));
}

TEST_F(Snapshot, AfterARefreshADataSourceThatCannotBeUsedExitsOneNamingIt) {
    EXPECT_EQ(Run(VEXORHOST_EXE, {"--db", "sqlite:" + Path("DOES_NOT_EXIST"), "--snapshot", Path("x.png"),
                                  "--after-refresh", Path("demo.vxd")}),
              1);
    EXPECT_NE(m_err.find(Path("DOES_NOT_EXIST").toStdString()), std::string::npos) << m_err;
    EXPECT_FALSE(QFile::exists(Path("x.png")));
}

TEST_F(Snapshot, APictureReplacesALinkAndFailsWhole) {
    QFile victim(Path("victim"));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.write("someone else's file");
    victim.close();
    ASSERT_TRUE(QFile::link(Path("victim"), Path("shot.png")));
    ASSERT_EQ(Run(VEXORHOST_EXE, {"--snapshot", Path("shot.png"), Path("demo.vxd")}), 0) << m_err;
    EXPECT_FALSE(QFileInfo(Path("shot.png")).isSymLink());
    EXPECT_FALSE(QImage(Path("shot.png")).isNull());
    ASSERT_TRUE(victim.open(QIODevice::ReadOnly));
    EXPECT_EQ(victim.readAll(), "someone else's file");
    victim.close();

    // Over the file size limit: a message, exit 1, the earlier picture as it was.
    EXPECT_EQ(Run(VEXORHOST_EXE, {"--snapshot", Path("shot.png"), Path("demo.vxd")}, 1024), 1);
    EXPECT_NE(m_err.find("File too large"), std::string::npos) << m_err;
    EXPECT_FALSE(QImage(Path("shot.png")).isNull());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"demo.vxd", "shot.png", "victim"}));
}

} // namespace
