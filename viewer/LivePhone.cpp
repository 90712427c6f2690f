#include "viewer/LivePhone.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>

#include "platform/device/UIDevice.h"
#include "platform/media/Exif.h"
#include "platform/media/JpegCodec.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIWindow.h"
#include "sim/PreferenceKeys.h"
#include "sim/Profiles.h"
#include "sim/Runner.h"
#include "sim/scenario/ElementRegistry.h"
#include "sim/scenario/Values.h"
#include "sim/scenario/ViewQuery.h"
#include "viewer/Requests.h"
#include "viewer/ViewNaming.h"

namespace fs = std::filesystem;
using nlohmann::json;
using SteadyClock = std::chrono::steady_clock;

namespace viewer {

namespace {

// Clock steps come no faster than the screen refreshes; frames from the clock at most 30 a
// second (a request's answer is rendered at once).
constexpr auto kStepGap = std::chrono::milliseconds(16);
constexpr auto kFrameGap = std::chrono::milliseconds(33);
constexpr int kJpegQuality = 88;

std::optional<sim::StepOutcome> runLine(const std::string& line, sim::Session& session,
                                        std::string& error) {
    const auto step = sim::parseLine(line, {"<page>", 1}, error);
    if (!step) return std::nullopt;
    return sim::runStep(*step, session);
}

json valueJson(const ns::Value& v) {
    if (const auto b = v.boolean()) return *b;
    if (const auto i = v.integer()) return *i;
    if (const auto r = v.real()) return *r;
    if (const auto* s = v.string()) return *s;
    return sim::describeValue(v);
}

}  // namespace

std::unique_ptr<LivePhone> LivePhone::create(const LiveOptions& options, std::string& error) {
    const auto* profiles = sim::defaultProfiles(error);
    if (profiles == nullptr) return nullptr;
    sim::SessionOptions so;
    so.outputFolder = options.out;
    so.rootFolder = options.out / "device";
    so.model = options.model;
    so.language = options.language;
    auto session = sim::Session::create(std::move(so), *profiles, error);
    if (!session) return nullptr;
    // The phone starts upright and level whatever an earlier session in this process left.
    for (const char* line : {"orient portrait", "tilt 0"}) {
        const auto outcome = runLine(line, *session, error);
        if (!outcome || !outcome->ok) return nullptr;
    }
    if (options.launchCamera && !session->launch(sim::AppKind::Camera, error)) return nullptr;
    auto phone = std::unique_ptr<LivePhone>(new LivePhone(std::move(session)));
    phone->language_ = options.language;
    return phone;
}

LivePhone::LivePhone(std::unique_ptr<sim::Session> session) : session_(std::move(session)) {}

LivePhone::~LivePhone() {
    if (session_) sim::writeEventLog(*session_);
}

// ---- the loop

bool LivePhone::catchUp() {
    auto& loop = platform::RunLoop::main();
    const double now = session_->elapsed();
    const double target = clock_.target(now, SteadyClock::now());
    if (target <= now) return false;
    const double next = loop.nextEventTime();
    const bool fires = next >= 0 && now + (next - loop.now()) <= target;
    session_->advance(target - now);
    if (fires) dirty_ = true;
    return fires;
}

void LivePhone::run(MainQueue& queue, FrameBoard& board) {
    dirty_ = true;
    publish(board);
    auto lastStep = SteadyClock::now();
    while (!queue.closed()) {
        const bool watched = board.viewers() > 0;
        bool changed = watched != clock_.watched();
        clock_.setWatched(watched, session_->elapsed(), SteadyClock::now());
        // Sleep until the next event of the virtual clock falls due in real time, a request
        // comes, or a frame held back by the frame gap is due. With nothing due the thread
        // sleeps until a request: no CPU while nothing changes.
        auto deadline = SteadyClock::now() + std::chrono::hours(1);
        auto& loop = platform::RunLoop::main();
        if (const double next = loop.nextEventTime(); next >= 0) {
            if (const auto when = clock_.realTimeOf(session_->elapsed() + (next - loop.now())))
                deadline = std::max(*when, lastStep + kStepGap);
        }
        if (dirty_) deadline = std::min(deadline, lastRender_ + kFrameGap);
        if (queue.runNext(deadline)) {
            changed = dirty_ = true;
            lastRender_ = {};  // a request's answer shows at once
        } else {
            lastStep = SteadyClock::now();
            changed = catchUp() || changed;
        }
        if (dirty_ && SteadyClock::now() >= lastRender_ + kFrameGap)
            publish(board);
        else if (changed)
            board.postState(state().dump());
    }
}

void LivePhone::publish(FrameBoard& board) {
    renderFrame(board);
    dirty_ = false;
    lastRender_ = SteadyClock::now();
    board.postState(state().dump());
}

void LivePhone::renderFrame(FrameBoard& board) {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    if (const auto window = session_->window()) {
        const auto image = platform::ScreenRenderer::renderImage(*window);
        if (!image) return;
        width = image->pixelWidth();
        height = image->pixelHeight();
        pixels = image->argb32();
    } else {
        // No app: the phone's dark home screen.
        const auto& p = session_->profile();
        width = static_cast<int>(p.screenSize.width * p.scale);
        height = static_cast<int>(p.screenSize.height * p.scale);
        pixels.assign(static_cast<std::size_t>(width) * height, 0xFF1C1C1Eu);
    }
    if (framePosted_ && pixels == lastPixels_) return;
    // ARGB32 words in memory are B, G, R, A bytes: the encoder's BGRX order.
    const auto jpeg =
        platform::encodeJpeg(reinterpret_cast<const std::uint8_t*>(pixels.data()), width, height,
                             width * 4, kJpegQuality, platform::JpegSubsampling::S444);
    if (!jpeg) return;
    board.postFrame("image/jpeg", *jpeg);
    lastPixels_ = std::move(pixels);
    framePosted_ = true;
}

// ---- the state the page shows

std::optional<ns::Dictionary> LivePhone::preferences() {
    return session_->root().readPreferences();
}

json LivePhone::photos() {
    json list = json::array();
    for (const fs::path& photo : session_->root().photos()) {
        auto it = photoFacts_.find(photo);
        if (it == photoFacts_.end()) {
            std::ifstream in(photo, std::ios::binary);
            const platform::Bytes bytes{std::istreambuf_iterator<char>(in), {}};
            PhotoFacts facts;
            facts.orientation = platform::readExifOrientation(bytes).value_or(1);
            if (const auto header = platform::readJpegHeader(bytes)) {
                facts.width = header->width;
                facts.height = header->height;
            }
            // A photo is renamed into place complete, so what is read now stays true.
            it = photoFacts_.emplace(photo, facts).first;
        }
        std::error_code ec;
        const fs::path rel = fs::relative(photo, session_->outputFolder(), ec);
        list.push_back({{"name", photo.filename().string()},
                        {"url", "/out/" + rel.generic_string()},
                        {"orientation", it->second.orientation},
                        {"width", it->second.width},
                        {"height", it->second.height}});
    }
    return list;
}

json LivePhone::state() {
    const auto& p = session_->profile();
    json prefs = json::object();
    if (const auto dict = preferences()) {
        for (const auto& [key, value] : *dict) prefs[key] = valueJson(value);
    }
    const sim::SimulatedApp* app = session_->app();
    std::error_code ec;
    const fs::path prefsRel =
        fs::relative(session_->root().preferencesFile(), session_->outputFolder(), ec);
    json prefKeys = json::array();
    for (const auto& key : sim::preferenceKeys())
        prefKeys.push_back({{"name", std::string(key.name)},
                            {"type", key.type == sim::PreferenceType::Boolean ? "bool" : "int"}});
    json scene = json::object();
    if (const auto b = session_->sceneBrightness()) scene["brightness"] = *b;
    if (const auto d = session_->sceneDistance()) scene["distance"] = *d;
    return {
        {"device",
         {{"model", p.modelIdentifier},
          {"shortName", p.shortName},
          {"name", p.name},
          {"screen",
           {{"width", p.screenSize.width}, {"height", p.screenSize.height}, {"scale", p.scale}}}}},
        {"app", app != nullptr ? json(sim::appName(app->kind())) : json(nullptr)},
        {"orientation", orientation_},
        {"tilt", tilt_},
        {"scene", scene},
        {"clock",
         {{"speed", clock_.speed()},
          {"running", clock_.running()},
          {"elapsed", static_cast<long>(session_->elapsed())}}},
        {"photos", photos()},
        {"prefs", prefs},
        {"prefsUrl", "/out/" + prefsRel.generic_string()},
        {"prefKeys", prefKeys},
        {"events", session_->events().size()},
        {"recording", {{"on", recorder_.active()}, {"lines", recorder_.lines()}}},
        {"lastRecording", lastRecording_},
    };
}

// ---- requests

Reply LivePhone::perform(const std::string& line) {
    catchUp();
    std::string error;
    const double before = session_->elapsed();
    const auto outcome = runLine(line, *session_, error);
    if (!outcome) return Reply::error(400, error);
    if (!outcome->ok) return Reply::error(409, outcome->message);
    recorder_.action(line, before, session_->elapsed());
    return Reply::json(json{{"ok", true}, {"line", line}}.dump());
}

Reply LivePhone::touch(const json& request) {
    const LineOrError line = touchLine(request);
    if (!line.ok()) return Reply::error(400, line.error);
    Reply reply = perform(line.line);
    if (reply.status == 200) {
        // The place the finger left the screen is what the person looked at.
        if (request.contains("points"))
            lastTouch_ = CGPointMake(request["points"].back()[0].get<double>(),
                                     request["points"].back()[1].get<double>());
        else
            lastTouch_ = CGPointMake(request["x"].get<double>(), request["y"].get<double>());
    }
    return reply;
}

Reply LivePhone::action(const json& request) {
    const LineOrError line = actionLine(request);
    if (!line.ok()) return Reply::error(400, line.error);
    Reply reply = perform(line.line);
    if (reply.status == 200) {
        const std::string value = line.line.substr(line.line.find(' ') + 1);
        if (line.line.rfind("orient ", 0) == 0) orientation_ = value;
        if (line.line.rfind("tilt ", 0) == 0) tilt_ = std::stod(value);
    }
    return reply;
}

Reply LivePhone::setClock(const json& request) {
    if (!request.is_object()) return Reply::error(400, "expected a JSON object");
    const auto speed = request.find("speed");
    const auto step = request.find("advance");
    if (speed == request.end() && step == request.end())
        return Reply::error(400, "give \"speed\" (0 pauses, 1 or 10) or \"advance\" (seconds)");
    if (speed != request.end() &&
        (!speed->is_number() || !LiveClock::isSpeed(speed->get<double>())))
        return Reply::error(400, "\"speed\" must be 0 (pause), 1 or 10");
    if (step != request.end() &&
        (!step->is_number() || !(step->get<double>() > 0) || step->get<double>() > 3600))
        return Reply::error(400, "\"advance\" must be seconds above 0, at most 3600");
    catchUp();
    if (step != request.end()) {
        // A step of virtual time by hand (while paused, say); a recording shows it as the wait
        // before the next action.
        session_->advance(step->get<double>());
    }
    if (speed != request.end())
        clock_.setSpeed(speed->get<double>(), session_->elapsed(), SteadyClock::now());
    return Reply::json(json{
        {"speed", clock_.speed()}, {"running", clock_.running()}, {"elapsed", session_->elapsed()}}
                           .dump());
}

std::vector<std::string> LivePhone::prologue() {
    std::vector<std::string> lines;
    char date[32];
    const std::time_t t = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&t, &utc);
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M UTC", &utc);
    lines.push_back(std::string("# Recorded with lumora3 serve on ") + date +
                    ". Replay: lumora3 run FILE");
    lines.push_back("device " + session_->profile().shortName);
    lines.push_back("language " + language_);
    if (const auto prefs = preferences()) {
        for (const auto& [key, value] : *prefs) {
            if (sim::findPreferenceKey(key) == nullptr || !(value.isBoolean() || value.isInteger()))
                continue;
            lines.push_back("prefs set " + key + " " + sim::describeValue(value));
        }
    }
    const auto b = session_->sceneBrightness();
    const auto d = session_->sceneDistance();
    if (b || d) {
        std::string scene = "scene";
        if (b) scene += " brightness " + sim::formatNumber(*b);
        if (d) scene += " distance " + sim::formatNumber(*d);
        lines.push_back(scene);
    }
    // Written even when upright and level: whoever replays may hold the phone otherwise.
    lines.push_back("orient " + orientation_);
    lines.push_back("tilt " + sim::formatNumber(tilt_));
    return lines;
}

std::vector<std::string> LivePhone::epilogue() {
    std::vector<std::string> candidates{"# What the phone held when the recording ended"};
    const auto all = session_->root().photos();
    const std::size_t taken = all.size() > photosAtStart_ ? all.size() - photosAtStart_ : 0;
    candidates.push_back("expect photos count = " + std::to_string(taken));
    for (std::size_t i = 0; i < taken && i < 50; ++i) {
        std::ifstream in(all[photosAtStart_ + i], std::ios::binary);
        const platform::Bytes bytes{std::istreambuf_iterator<char>(in), {}};
        candidates.push_back("expect photo " + std::to_string(i + 1) + " orientation = " +
                             std::to_string(platform::readExifOrientation(bytes).value_or(1)));
    }
    const auto now = preferences();
    for (const auto& key : sim::preferenceKeys()) {
        const std::string name(key.name);
        const ns::Value* v = now ? now->get(name) : nullptr;
        if (v != nullptr && (v->isBoolean() || v->isInteger()))
            candidates.push_back("expect prefs " + name + " = " + sim::describeValue(*v));
        else if (v == nullptr && prefsAtStart_ && prefsAtStart_->contains(name))
            candidates.push_back("expect prefs " + name + " absent");
    }
    // Photo checks count the live phone's earlier photos too, so they are written as they are;
    // every other check must hold now.
    std::vector<std::string> lines;
    for (const auto& line : candidates) {
        std::string error;
        if (line.rfind("expect photo", 0) == 0 || line.front() == '#') {
            lines.push_back(line);
            continue;
        }
        const auto outcome = runLine(line, *session_, error);
        if (outcome && outcome->ok) lines.push_back(line);
    }
    return lines;
}

Reply LivePhone::record(const json& request) {
    const auto it = request.is_object() ? request.find("on") : request.end();
    if (it == request.end() || !it->is_boolean())
        return Reply::error(400, "\"on\" must be true (start) or false (stop)");
    if (it->get<bool>()) {
        if (recorder_.active()) return Reply::error(409, "already recording");
        catchUp();
        std::vector<std::string> lines = prologue();
        // The recording starts from a fresh launch of the running app, as its replay will.
        if (const sim::SimulatedApp* app = session_->app()) {
            const sim::AppKind kind = app->kind();
            std::string error;
            if (!session_->launch(kind, error)) return Reply::error(409, error);
            lines.push_back(std::string("launch ") + sim::appName(kind));
        }
        photosAtStart_ = session_->root().photos().size();
        prefsAtStart_ = preferences();
        lastTouch_.reset();
        recorder_.start(std::move(lines), session_->elapsed());
        return Reply::json(json{{"recording", true}, {"lines", recorder_.lines()}}.dump());
    }
    if (!recorder_.active()) return Reply::error(409, "not recording");
    catchUp();
    const std::string text = recorder_.finish(epilogue(), session_->elapsed());
    std::string name;
    for (int n = 1; n < 10000; ++n) {
        name = "recording-" + std::to_string(n) + ".scn";
        std::error_code ec;
        if (!fs::exists(session_->outputFolder() / name, ec)) break;
    }
    std::string error;
    const auto written = session_->writeOutput(
        name,
        [&](const fs::path& temp) {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out << text;
            out.flush();
            return static_cast<bool>(out);
        },
        error);
    if (!written) return Reply::error(500, error);
    lastRecording_ = name;
    return Reply::json(
        json{{"recording", false}, {"file", name}, {"url", "/out/" + name}, {"text", text}}.dump());
}

Reply LivePhone::addExpect() {
    if (!recorder_.active()) return Reply::error(409, "start recording first");
    std::vector<std::string> candidates;
    const auto window = session_->window();
    if (window && lastTouch_) {
        if (const auto named = nameViewAt(*window, *lastTouch_)) {
            const std::string q = "expect view " + named->query;
            if (const auto* control = dynamic_cast<const UIControl*>(named->view))
                candidates.push_back(q + (control->isSelected() ? " selected" : " not-selected"));
            if (const auto text = sim::viewText(*named->view);
                text && !text->empty() && text->find_first_of("\n\r\t") == std::string::npos)
                candidates.push_back(q + " text " + quoteWord(*text));
            if (candidates.empty()) candidates.push_back(q + " visible");
        }
    }
    const std::size_t photos = session_->root().photos().size();
    candidates.push_back("expect photos count = " +
                         std::to_string(photos > photosAtStart_ ? photos - photosAtStart_ : 0));
    // Only what holds now is written (the photo count holds for the replay's fresh phone).
    std::vector<std::string> added;
    for (const auto& line : candidates) {
        std::string error;
        if (line.rfind("expect photos", 0) != 0) {
            const auto outcome = runLine(line, *session_, error);
            if (!outcome || !outcome->ok) continue;
        }
        recorder_.note(line, session_->elapsed());
        added.push_back(line);
    }
    return Reply::json(json{{"added", added}}.dump());
}

Reply LivePhone::log(std::size_t from) const {
    const auto events = session_->events();
    constexpr std::size_t kMost = 500;
    json lines = json::array();
    for (std::size_t i = from; i < events.size() && i < from + kMost; ++i)
        lines.push_back(events[i].line());
    return Reply::json(json{{"from", from}, {"total", events.size()}, {"lines", lines}}.dump());
}

Reply LivePhone::elements() const {
    json list = json::array();
    if (const auto window = session_->window()) {
        for (const sim::Element* e : sim::ElementRegistry::shared().all()) {
            UIView* v = e->find ? e->find(*window) : nullptr;
            if (v == nullptr || !sim::isEffectivelyVisible(*v)) continue;
            const CGRect r = v->convertRectToView(v->bounds(), nullptr);
            json item{{"name", e->name},
                      {"frame", {r.origin.x, r.origin.y, r.size.width, r.size.height}},
                      {"class", v->className()}};
            if (const auto* control = dynamic_cast<const UIControl*>(v))
                item["selected"] = control->isSelected();
            list.push_back(item);
        }
    }
    return Reply::json(json{{"elements", list}}.dump());
}

}  // namespace viewer
