// Bursts on the host alone: the burst session outlives the shutter until every still it took
// is saved, so whoever watches the session sees it running while each of its stills is stored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "host/CaptureController.h"
#include "hostapi/Selectors.h"

namespace hosttest {
namespace {

const std::string kQueueJob = hostsel::CAMAssetSaver::
    queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient::
        name;

// Indexes of the log entries for `event` (sent to `receiver` when one is given).
std::vector<std::size_t> entriesOf(const host::EventLog& log, const std::string& event,
                                   const std::string& receiver = {}) {
    std::vector<std::size_t> out;
    const auto entries = log.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].event == event && (receiver.empty() || entries[i].receiver == receiver))
            out.push_back(i);
    }
    return out;
}

class BurstTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        profile_ = loadProfile("iphone6");
        ASSERT_TRUE(profile_ && profile_->back);
        // Small stills keep the saving queue quick (also under the thread sanitizer).
        profile_->back->stillSize = {640, 480};
        app_.launch(*profile_);
        ASSERT_TRUE(app_.isRunning());
        app_.runFor(0.5);
    }

    // Checks, after everything settled, that the burst's session was ended once, after the
    // last of its stills was queued for saving, and that every still was stored.
    void expectSessionEndedAfterItsStills(std::size_t from) {
        const host::EventLog& log = app_.log();
        const auto inits = entriesOf(log, "init", "CAMAvalancheSession");
        const auto deallocs = entriesOf(log, "dealloc", "CAMAvalancheSession");
        ASSERT_EQ(inits.size(), 1u) << log.text();
        ASSERT_EQ(deallocs.size(), 1u) << log.text();
        const auto jobs = entriesOf(log, kQueueJob);
        std::size_t burstJobs = 0;
        for (std::size_t at : jobs) {
            if (at < from) continue;
            ++burstJobs;
            EXPECT_LT(at, deallocs.front()) << log.text();
        }
        // Two stills at least: the first at the hold, one more 0.1 s later.
        EXPECT_GE(burstJobs, 2u);
        EXPECT_EQ(burstJobs, app_.savedPhotos().size());
        EXPECT_EQ(log.count("photoSaved"), burstJobs);
        EXPECT_FALSE(app_.captureController()->isBursting());
    }
};

TEST_F(BurstTest, ReleasingTheShutterEndsTheSessionOnlyAfterItsLastStillIsSaved) {
    const std::size_t from = app_.log().size();
    app_.startBurst();
    host::CaptureController* c = app_.captureController();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isBursting());
    app_.stopBurst();
    // The shutter is up, but the still taken last is still on its way to the library.
    EXPECT_FALSE(c->isBursting());
    EXPECT_GT(c->stillsInFlight(), 0u);
    EXPECT_TRUE(entriesOf(app_.log(), "dealloc", "CAMAvalancheSession").empty())
        << app_.log().text();
    app_.settle();
    expectSessionEndedAfterItsStills(from);
}

TEST_F(BurstTest, LeavingTheAppDuringABurstEndsTheSessionAfterItsStills) {
    const std::size_t from = app_.log().size();
    app_.startBurst();
    app_.background();
    app_.settle();
    expectSessionEndedAfterItsStills(from);
}

TEST_F(BurstTest, SuccessiveBurstsEachEndTheirOwnSessionOnce) {
    for (int i = 0; i < 2; ++i) {
        app_.startBurst();
        app_.stopBurst();
    }
    app_.settle();
    const host::EventLog& log = app_.log();
    const auto inits = entriesOf(log, "init", "CAMAvalancheSession");
    const auto deallocs = entriesOf(log, "dealloc", "CAMAvalancheSession");
    ASSERT_EQ(inits.size(), 2u) << log.text();
    ASSERT_EQ(deallocs.size(), 2u) << log.text();
    EXPECT_LT(inits[0], deallocs[0]);
    EXPECT_LT(deallocs[0], inits[1]);
    EXPECT_LT(inits[1], deallocs[1]);
    EXPECT_EQ(log.count("photoSaved"), app_.savedPhotos().size());
    EXPECT_FALSE(app_.captureController()->isBursting());
}

}  // namespace
}  // namespace hosttest
