#include <gtest/gtest.h>

#include "platform/objc/Hook.h"
#include "platform/objc/Injection.h"
#include "platform/objc/Runtime.h"

namespace {

class Camera : public NSObject {
public:
    LU_OBJC_CLASS(Camera)
    int shots = 0;
};
class FrontCamera : public Camera {
public:
    LU_OBJC_CLASS(FrontCamera)
};

LU_SELECTOR(TakeShots, "takeShots:", int(int));

int takeShotsImpl(id self, SEL, int n) {
    static_cast<Camera*>(self)->shots += n;
    return static_cast<Camera*>(self)->shots;
}

objc::Imp<int, int> originalTakeShots = nullptr;
int replacedTakeShots(id self, SEL cmd, int n) {
    return originalTakeShots(self, cmd, n * 10) + 1;
}

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        objc::Runtime::current().reset();
        cls = objc::Runtime::current().registerClass("Camera");
        objc::Runtime::current().registerClass("FrontCamera", "Camera");
        objc::addMethod<int, int>(cls, TakeShots::name, &takeShotsImpl);
    }
    objc::Class* cls = nullptr;
};

TEST_F(RuntimeTest, ClassesByNameWithSuperclassChains) {
    EXPECT_EQ(objc_getClass("Camera"), cls);
    EXPECT_EQ(objc_getClass("NoSuchClass"), nullptr);
    EXPECT_EQ(objc_getClass("FrontCamera")->superclass(), cls);
    FrontCamera front;
    EXPECT_TRUE(front.isKindOfClass("Camera"));
    EXPECT_TRUE(front.isKindOfClass("NSObject"));
    EXPECT_FALSE(Camera().isKindOfClass("FrontCamera"));
    EXPECT_STREQ(front.className(), "FrontCamera");
}

TEST_F(RuntimeTest, DispatchFindsInheritedMethodsAndNilDoesNothing) {
    FrontCamera front;
    EXPECT_EQ(objc::send<TakeShots>(&front, 2), 2);
    EXPECT_TRUE(front.respondsToSelector("takeShots:"));
    EXPECT_EQ(objc::send<TakeShots>(nullptr, 2), 0);
    EXPECT_EQ(objc::send<int(int)>(&front, "noSuchSelector:", 1), 0);
}

TEST_F(RuntimeTest, CallWithWrongSignatureIsRefused) {
    Camera cam;
    EXPECT_EQ(objc::send<long(long)>(&cam, "takeShots:", 5L), 0L);
    EXPECT_EQ(cam.shots, 0);
}

TEST_F(RuntimeTest, ReplacementRunsAndOriginalStaysCallable) {
    Camera cam;
    MSHookMessageEx(cls, "takeShots:", &replacedTakeShots, &originalTakeShots);
    ASSERT_NE(originalTakeShots, nullptr);
    EXPECT_EQ(objc::send<TakeShots>(&cam, 1), 11);
    EXPECT_EQ(cam.shots, 10);
    // Subclasses see the replacement too.
    FrontCamera front;
    EXPECT_EQ(objc::send<TakeShots>(&front, 2), 21);
}

TEST_F(RuntimeTest, HookOnSubclassKeepsSuperclassUntouched) {
    objc::Imp<int, int> original = nullptr;
    auto* frontCls = objc_getClass("FrontCamera");
    EXPECT_EQ(objc::hook<TakeShots>(
                  frontCls, [](id, SEL, int) { return -1; }, &original),
              objc::HookResult::Replaced);
    EXPECT_EQ(original, &takeShotsImpl);
    Camera cam;
    FrontCamera front;
    EXPECT_EQ(objc::send<TakeShots>(&cam, 3), 3);
    EXPECT_EQ(objc::send<TakeShots>(&front, 3), -1);
}

TEST_F(RuntimeTest, HookFailuresChangeNothing) {
    objc::Imp<long, long> wrong = reinterpret_cast<objc::Imp<long, long>>(1);
    objc::Imp<long, long> longImp = [](id, SEL, long) { return 0L; };
    EXPECT_EQ(objc::hookMethod(cls, "takeShots:", longImp, &wrong),
              objc::HookResult::SignatureMismatch);
    EXPECT_EQ(wrong, nullptr);
    objc::Imp<int, int> orig = nullptr;
    objc::Imp<int, int> impl = &takeShotsImpl;
    EXPECT_EQ(objc::hookMethod(nullptr, "takeShots:", impl, &orig), objc::HookResult::NoClass);
    EXPECT_EQ(objc::hookMethod(cls, "missing:", impl, &orig), objc::HookResult::NoMethod);
    Camera cam;
    EXPECT_EQ(objc::send<TakeShots>(&cam, 4), 4);
}

TEST_F(RuntimeTest, ResetForgetsClassesAndReplacements) {
    MSHookMessageEx(cls, "takeShots:", &replacedTakeShots, &originalTakeShots);
    objc::Runtime::current().reset();
    EXPECT_EQ(objc_getClass("Camera"), nullptr);
    EXPECT_NE(objc_getClass("NSObject"), nullptr);
}

int constructorRuns = 0;
TEST(InjectionTest, RunsEveryInstalledConstructorOnce) {
    auto& inj = objc::Injection::shared();
    inj.uninstallAll();
    constructorRuns = 0;
    inj.install("A", [] { constructorRuns += 1; });
    inj.install("B", [] { constructorRuns += 10; });
    inj.install("A", [] { constructorRuns += 100; });  // reinstall replaces, does not duplicate
    inj.runConstructors();
    EXPECT_EQ(constructorRuns, 110);
    inj.uninstall("B");
    inj.runConstructors();
    EXPECT_EQ(constructorRuns, 210);
    inj.uninstallAll();
}

}  // namespace
