#include <gtest/gtest.h>

#include "platform/objc/Runtime.h"

namespace {

class Controller : public NSObject {
public:
    LU_OBJC_CLASS(Controller)
};

Controller theController;

LU_SELECTOR(SharedInstance, "sharedInstance", id());
LU_SELECTOR(Scaled, "scaled:", int(int));

id sharedInstanceImpl(objc::Class*, SEL) {
    return &theController;
}

// Reports which class received the message, so inheritance is visible.
int scaledImpl(objc::Class* cls, SEL, int n) {
    return cls->name() == "SubController" ? n * 100 : n * 10;
}

class ClassMethodTest : public ::testing::Test {
protected:
    void SetUp() override {
        objc::Runtime::current().reset();
        cls = objc::Runtime::current().registerClass("Controller");
        sub = objc::Runtime::current().registerClass("SubController", "Controller");
        objc::addClassMethod<id>(cls, SharedInstance::name, &sharedInstanceImpl);
        objc::addClassMethod<int, int>(cls, Scaled::name, &scaledImpl);
    }
    objc::Class* cls = nullptr;
    objc::Class* sub = nullptr;
};

TEST_F(ClassMethodTest, ClassMethodAnswersAndIsInheritedWithTheReceivingClass) {
    EXPECT_EQ(objc::sendClass<SharedInstance>(objc_getClass("Controller")), &theController);
    EXPECT_EQ(objc::sendClass<SharedInstance>(sub), &theController);
    EXPECT_EQ(objc::sendClass<Scaled>(cls, 2), 20);
    EXPECT_EQ(objc::sendClass<Scaled>(sub, 2), 200);
    EXPECT_EQ(objc::sendClass<int(int)>(cls, "scaled:", 3), 30);
}

TEST_F(ClassMethodTest, NullClassUnknownSelectorAndWrongSignatureGiveEmptyResults) {
    EXPECT_EQ(objc::sendClass<SharedInstance>(objc_getClass("NoSuchClass")), nullptr);
    EXPECT_EQ(objc::sendClass<id()>(cls, "noSuchClassMethod"), nullptr);
    EXPECT_EQ(objc::sendClass<long(long)>(cls, "scaled:", 3L), 0L);
}

TEST_F(ClassMethodTest, ClassAndInstanceMethodTablesAreSeparate) {
    EXPECT_FALSE(theController.respondsToSelector("sharedInstance"));
    EXPECT_EQ(objc::send<id()>(&theController, "sharedInstance"), nullptr);
    EXPECT_EQ(cls->findMethod("sharedInstance"), nullptr);
    ASSERT_NE(cls->findClassMethod("sharedInstance"), nullptr);
}

TEST_F(ClassMethodTest, RuntimeResetForgetsClassMethods) {
    objc::Runtime::current().reset();
    EXPECT_EQ(objc::sendClass<SharedInstance>(objc_getClass("Controller")), nullptr);
}

}  // namespace
