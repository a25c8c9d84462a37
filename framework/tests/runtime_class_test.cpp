// Run-time class records: derivation checks, dynamic creation, lookup by name.
#include "framework.h"

#include <gtest/gtest.h>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

// Declares no record of its own: it is known by its base's.
class CUnrecorded : public CCircle {};

class CRing : public CUnrecorded {
    DECLARE_SERIAL(CRing)
};
IMPLEMENT_SERIAL(CRing, CUnrecorded, 4)

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain) {
    CRing ring;
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CRing)));
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(ring.IsKindOf(RUNTIME_CLASS(CObject)));
    CCircle circle;
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CRing)));
    CShape shape;
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CCircle), RUNTIME_CLASS(CRing)->GetBaseClass());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->GetBaseClass());
}

TEST(RuntimeClass, RecordsCarryNameSizeAndSchema) {
    EXPECT_STREQ("CRing", RUNTIME_CLASS(CRing)->m_lpszClassName);
    EXPECT_EQ(int(sizeof(CRing)), RUNTIME_CLASS(CRing)->m_nObjectSize);
    EXPECT_EQ(4u, RUNTIME_CLASS(CRing)->m_wSchema);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CCircle)->m_wSchema);
    CRing ring;
    CCircle circle;
    EXPECT_TRUE(ring.IsSerializable());
    EXPECT_FALSE(circle.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CRing), ring.GetRuntimeClass());
}

TEST(RuntimeClass, DynamicCreationMakesObjectsOfTheClass) {
    CObject* pObject = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), pObject->GetRuntimeClass());
    delete pObject;
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject()) << "no dynamic creation";
}

TEST(RuntimeClass, FromNameFindsCreatableClasses) {
    EXPECT_EQ(RUNTIME_CLASS(CRing), CRuntimeClass::FromName("CRing"));
    EXPECT_EQ(RUNTIME_CLASS(CCircle), CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CShape")) << "not creatable";
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(RUNTIME_CLASS(CObArray), CRuntimeClass::FromName("CObArray"));
}

TEST(RuntimeClass, FrameworkClassesHaveRecords) {
    EXPECT_TRUE(RUNTIME_CLASS(CView)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(RUNTIME_CLASS(CSingleDocTemplate)->IsDerivedFrom(RUNTIME_CLASS(CDocTemplate)));
    CObject* pFrame = RUNTIME_CLASS(CFrameWnd)->CreateObject();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    delete pFrame;
}

} // namespace
