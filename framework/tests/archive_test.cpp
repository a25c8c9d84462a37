// CArchive: the byte format of every value type, object records with class and object
// references, object graphs, and the refusal of damaged or truncated data.
#include "archive_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The record that introduces a class: the new-class tag, the schema, the name's length, the
// name.
Bytes NewClassRecord(WORD schema, const char* name) {
    const auto length = static_cast<WORD>(std::strlen(name));
    return Concat({{0xFF, 0xFF, BYTE(schema), BYTE(schema >> 8), BYTE(length), BYTE(length >> 8)},
                   Text(name)});
}

Bytes Long(LONG value) {
    const auto bits = static_cast<DWORD>(value);
    return {BYTE(bits), BYTE(bits >> 8), BYTE(bits >> 16), BYTE(bits >> 24)};
}

TEST(ArchiveFormat, IntegersAreLittleEndianOfTheirOwnSize) {
    const Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << LONG(-2) << DWORD(0x01020304);
        ar << int(7) << UINT(0x80000000u) << short(-3) << char('A');
    });
    const Bytes expected = {0xAB,                   // BYTE
                            0x34, 0x12,             // WORD
                            0xFE, 0xFF, 0xFF, 0xFF, // LONG -2, two's complement
                            0x04, 0x03, 0x02, 0x01, // DWORD
                            0x07, 0x00, 0x00, 0x00, // int: 32 bits
                            0x00, 0x00, 0x00, 0x80, // UINT: 32 bits
                            0xFD, 0xFF,             // short -3
                            0x41};                  // char
    EXPECT_EQ(expected, bytes);

    BYTE by = 0;
    WORD w = 0;
    LONG l = 0;
    DWORD dw = 0;
    int i = 0;
    UINT u = 0;
    short s = 0;
    char ch = 0;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> by >> w >> l >> dw >> i >> u >> s >> ch; });
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(0x01020304u, dw);
    EXPECT_EQ(7, i);
    EXPECT_EQ(0x80000000u, u);
    EXPECT_EQ(-3, s);
    EXPECT_EQ('A', ch);
}

TEST(ArchiveFormat, FloatingPointIsIeeeLittleEndian) {
    const Bytes bytes = StoreBytes([](CArchive& ar) { ar << 1.0f << -2.5; });
    // 1.0f is 0x3F800000; -2.5 is 0xC004000000000000.
    const Bytes expected = {0x00, 0x00, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0x04, 0xC0};
    EXPECT_EQ(expected, bytes);
    float f = 0;
    double d = 0;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> f >> d; });
    EXPECT_EQ(1.0f, f);
    EXPECT_EQ(-2.5, d);
}

TEST(ArchiveFormat, PointsSizesAndRectanglesAreLongs) {
    const Bytes bytes =
        StoreBytes([](CArchive& ar) { ar << CPoint(10, -20) << CSize(3, 4) << CRect(1, 2, 3, 4); });
    EXPECT_EQ(Concat({Long(10), Long(-20), Long(3), Long(4), Long(1), Long(2), Long(3), Long(4)}),
              bytes);
    CPoint point;
    CSize size;
    CRect rect;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> point >> size >> rect; });
    EXPECT_EQ(CPoint(10, -20), point);
    EXPECT_EQ(CSize(3, 4), size);
    EXPECT_EQ(CRect(1, 2, 3, 4), rect);
}

// A string's length is a BYTE below 0xFF, else 0xFF and a WORD below 0xFFFE, else 0xFF,
// 0xFFFF and a DWORD.
struct StringCase {
    int length;
    Bytes prefix;
};

TEST(ArchiveFormat, StringLengthPrefixGrowsWithTheLength) {
    const StringCase cases[] = {
        {0, {0x00}},
        {3, {0x03}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0x1234, {0xFF, 0x34, 0x12}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const StringCase& c : cases) {
        SCOPED_TRACE("length " + std::to_string(c.length));
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += char('a' + i % 26);
        const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(c.prefix.size() + size_t(c.length), bytes.size());
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + long(c.prefix.size())));
        EXPECT_EQ(0, std::memcmp(bytes.data() + c.prefix.size(), (LPCTSTR)text, size_t(c.length)));
        CString loaded("previous");
        LoadBytes(bytes, [&](CArchive& ar) { ar >> loaded; });
        EXPECT_EQ(text, loaded);
    }
}

TEST(ArchiveFormat, CountsAreWordsOrAnEscapedDword) {
    const Bytes bytes = StoreBytes([](CArchive& ar) {
        ar.WriteCount(5);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x10000);
    });
    const Bytes expected = {0x05, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                            0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(expected, bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        EXPECT_EQ(5u, ar.ReadCount());
        EXPECT_EQ(0xFFFEu, ar.ReadCount());
        EXPECT_EQ(0xFFFFu, ar.ReadCount());
        EXPECT_EQ(0x10000u, ar.ReadCount());
    });
}

TEST(ArchiveObjects, ClassIsWrittenOnceThenReferredToByIndex) {
    CArchivePoint first(1, 2);
    CArchivePoint second(3, 4);
    const Bytes bytes = StoreBytes(
        [&](CArchive& ar) { ar << &first << &second << &first << static_cast<CObject*>(nullptr); });
    // Indices count classes and objects alike from 1: the class is 1, the first point 2, the
    // second point 3. The class reference is 0x8000 | 1; the repeated object is its index.
    const Bytes expected = Concat({NewClassRecord(1, "CArchivePoint"),
                                   Long(1),
                                   Long(2),
                                   {0, 0},
                                   {0x01, 0x80},
                                   Long(3),
                                   Long(4),
                                   {0, 0},
                                   {0x02, 0x00},   // the first point again
                                   {0x00, 0x00}}); // null
    EXPECT_EQ(expected, bytes);
}

TEST(ArchiveObjects, SharedReferencesLoadAsOneObject) {
    CArchivePoint a(1, 1);
    CArchivePoint b(2, 2);
    a.m_pLink = &b;
    b.m_pLink = &a; // a cycle
    CArchivePoint c(3, 3);
    c.m_pLink = &b;
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &a << &c; });

    CObject* loadedA = nullptr;
    CObject* loadedC = nullptr;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> loadedA >> loadedC; });
    auto* pA = dynamic_cast<CArchivePoint*>(loadedA);
    auto* pC = dynamic_cast<CArchivePoint*>(loadedC);
    ASSERT_NE(nullptr, pA);
    ASSERT_NE(nullptr, pC);
    auto* pB = dynamic_cast<CArchivePoint*>(pA->m_pLink);
    ASSERT_NE(nullptr, pB);
    EXPECT_EQ(2, pB->m_x);
    EXPECT_EQ(pA, pB->m_pLink) << "the cycle closes on the same object";
    EXPECT_EQ(pB, pC->m_pLink) << "both links reach one object";
    EXPECT_EQ(3, pC->m_x);
    delete pA;
    delete pB;
    delete pC;
}

TEST(ArchiveObjects, ReadObjectChecksTheRequestedClass) {
    CArchivePoint point(5, 6);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &point; });
    EXPECT_EQ(CArchiveException::badClass,
              LoadFailure(bytes, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CArchiveNode)); }));
    LoadBytes(bytes, [](CArchive& ar) {
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CObject));
        EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CArchivePoint)));
        delete pObject;
    });
}

TEST(ArchiveObjects, VersionableClassesSeeTheStoredSchema) {
    // A CArchiveVersioned record stored with schema 1, older than the class's 3.
    const Bytes bytes = NewClassRecord(1, "CArchiveVersioned");
    CArchiveVersioned* pLoaded = nullptr;
    LoadBytes(bytes, [&](CArchive& ar) {
        pLoaded = static_cast<CArchiveVersioned*>(ar.ReadObject(RUNTIME_CLASS(CArchiveVersioned)));
    });
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(1u, pLoaded->m_nLoadedSchema);
    delete pLoaded;
}

TEST(ArchiveObjects, ObjectArraysStoreTheirCountThenTheirElements) {
    CTypedPtrArray<CObArray, CArchivePoint*> points;
    CArchivePoint first(1, 2);
    CArchivePoint second(3, 4);
    points.Add(&first);
    points.Add(&second);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { points.Serialize(ar); });
    EXPECT_EQ(Concat({{0x02, 0x00},
                      NewClassRecord(1, "CArchivePoint"),
                      Long(1),
                      Long(2),
                      {0, 0},
                      {0x01, 0x80},
                      Long(3),
                      Long(4),
                      {0, 0}}),
              bytes);

    CTypedPtrArray<CObArray, CArchivePoint*> loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2, loaded.GetSize());
    EXPECT_EQ(3, loaded[1]->m_x);
    EXPECT_EQ(4, loaded.GetAt(1)->m_y);
    for (INT_PTR i = 0; i < loaded.GetSize(); ++i)
        delete loaded[i];
}

TEST(ArchiveObjects, NonSerializableObjectsCannotBeStored) {
    CObject plain;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    try {
        ar << &plain;
        FAIL() << "storing a class without a schema succeeded";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(CArchiveException::badClass, e.m_cause);
    }
    ar.Abort();
}

TEST(ArchiveDamage, EveryTruncationRaisesEndOfFile) {
    CArchivePoint a(1, 2);
    CArchivePoint b(3, 4);
    a.m_pLink = &b;
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << CString("name") << &a << DWORD(9); });
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        const Bytes truncated(bytes.begin(), bytes.begin() + long(cut));
        EXPECT_EQ(CArchiveException::endOfFile, LoadFailure(truncated, [](CArchive& ar) {
                      CString name;
                      CObject* pObject = nullptr;
                      ar >> name >> pObject;
                      // The point and the point it links to belong to the test from here on.
                      const std::unique_ptr<CObject> point(pObject);
                      const std::unique_ptr<CObject> link(
                          static_cast<CArchivePoint*>(pObject)->m_pLink);
                      DWORD value = 0;
                      ar >> value;
                  }));
    }
}

TEST(ArchiveDamage, UnknownOrMismatchedRecordsAreRefused) {
    const auto readObject = [](CArchive& ar) {
        CObject* pObject = nullptr;
        ar >> pObject;
        delete pObject;
    };
    EXPECT_EQ(CArchiveException::badClass,
              LoadFailure(NewClassRecord(1, "CNoSuchClass"), readObject));
    EXPECT_EQ(CArchiveException::badClass, LoadFailure(NewClassRecord(1, "CObject"), readObject))
        << "a class without dynamic creation";
    EXPECT_EQ(CArchiveException::badSchema,
              LoadFailure(NewClassRecord(1, "CArchiveSchemaTwo"), readObject));
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure({0x05, 0x80}, readObject))
        << "a class index never defined";
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure({0x07, 0x00}, readObject))
        << "an object index never defined";
    EXPECT_EQ(CArchiveException::badIndex,
              LoadFailure({0xFF, 0x7F, 0x02, 0x00, 0x00, 0x80}, readObject))
        << "a large class index never defined";
    // Index 1 is the class: as an object reference it names no object.
    EXPECT_EQ(
        CArchiveException::badIndex,
        LoadFailure(Concat({NewClassRecord(1, "CArchivePoint"), Long(0), Long(0), {0x01, 0x00}}),
                    readObject));
    EXPECT_EQ(CArchiveException::badClass,
              LoadFailure(Concat({{0xFF, 0xFF, 0x01, 0x00, 0xFF, 0xFF}, Text("long")}), readObject))
        << "a class name longer than any class has";
}

TEST(ArchiveDamage, HugeLengthsAndCountsFailWithoutReservingMemory) {
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadFailure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}, [](CArchive& ar) {
                  CString text;
                  ar >> text;
              }));
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadFailure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}, [](CArchive& ar) {
                  CObArray array;
                  array.Serialize(ar);
              }));
}

TEST(ArchiveDamage, DeepNestingIsRefused) {
    // Each node holds the next: a new-class record first, then class references.
    Bytes bytes = NewClassRecord(1, "CArchiveNode");
    for (int i = 0; i < 5000; ++i)
        bytes.insert(bytes.end(), {0x01, 0x80});
    EXPECT_EQ(CArchiveException::generic, LoadFailure(bytes, [](CArchive& ar) {
                  CArchiveNode* pNode = nullptr;
                  ar >> pNode;
                  delete pNode;
              }));
}

TEST(ArchiveDirection, ArchivesWorkInOneDirectionOnly) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    EXPECT_TRUE(storing.IsStoring());
    BYTE by = 0;
    try {
        storing >> by;
        FAIL() << "a storing archive read";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(CArchiveException::writeOnly, e.m_cause);
    }
    storing.Abort();
    EXPECT_EQ(CArchiveException::readOnly, LoadFailure({}, [](CArchive& ar) { ar << BYTE(1); }));
}

} // namespace
