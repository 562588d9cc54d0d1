#include <gtest/gtest.h>

#include "com/ComObject.h"
#include "storage/GlobalMemory.h"
#include "storage/Persist.h"

using namespace com;

namespace {

const CLSID kCounterClass = Guid::fromString("{5B1C2A10-0000-4000-8000-0000000000A1}");

// Saves one 32-bit value.
class Counter final : public ComObject<IPersistStream> {
public:
    std::uint32_t value = 0;
    HRESULT GetClassID(CLSID* clsid) override {
        *clsid = kCounterClass;
        return S_OK;
    }
    HRESULT IsDirty() override { return S_OK; }
    HRESULT Load(IStream* stream) override {
        ULONG read = 0;
        stream->Read(&value, 4, &read);
        return read == 4 ? S_OK : STG_E_READFAULT;
    }
    HRESULT Save(IStream* stream, BOOL) override { return stream->Write(&value, 4, nullptr); }
    HRESULT GetSizeMax(ULONGLONG* size) override {
        *size = 4;
        return S_OK;
    }
};

class NotPersistent final : public ComObject<IUnknown> {};

HRESULT createCounter(const CLSID& clsid, const IID& iid, void** out) {
    if (clsid != kCounterClass)
        return REGDB_E_CLASSNOTREG;
    return makeComObject<Counter>()->QueryInterface(iid, out);
}

}  // namespace

TEST(Persist, SaveWritesClassIdThenDataAndLoadCreatesByClass) {
    ComPtr<IStream> stream;
    createStreamOnHGlobal(nullptr, stream.put());
    auto counter = makeComObject<Counter>();
    counter->value = 0x01020304;
    ASSERT_EQ(oleSaveToStream(counter->identity(), stream.get()), S_OK);
    HGLOBAL block;
    getHGlobalFromStream(stream.get(), &block);
    ASSERT_EQ(block->bytes.size(), 20u);
    EXPECT_EQ(block->bytes[0], 0x10);  // first byte of the class id's Data1, little-endian
    EXPECT_EQ(block->bytes[16], 0x04);

    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    ComPtr<IUnknown> loaded;
    setObjectCreator(nullptr);  // the class registry, which does not know the class
    EXPECT_EQ(oleLoadFromStream(stream.get(), IID_IUnknown, loaded.putVoid()), REGDB_E_CLASSNOTREG);

    setObjectCreator(createCounter);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    ComPtr<IPersistStream> persist;
    ASSERT_EQ(oleLoadFromStream(stream.get(), IID_IPersistStream, persist.putVoid()), S_OK);
    EXPECT_EQ(static_cast<Counter*>(persist.get())->value, 0x01020304u);
    setObjectCreator(nullptr);
}

TEST(Persist, ObjectWithoutPersistenceWritesNothing) {
    ComPtr<IStream> stream;
    createStreamOnHGlobal(nullptr, stream.put());
    auto object = makeComObject<NotPersistent>();
    EXPECT_EQ(oleSaveToStream(object.get(), stream.get()), E_NOINTERFACE);
    HGLOBAL block;
    getHGlobalFromStream(stream.get(), &block);
    EXPECT_TRUE(block->bytes.empty());
}

TEST(Persist, ShortClassIdFailsToLoad) {
    ComPtr<IStream> stream;
    createStreamOnHGlobal(nullptr, stream.put());
    stream->Write("short", 5, nullptr);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    CLSID clsid = kCounterClass;
    EXPECT_EQ(readClassStm(stream.get(), &clsid), STG_E_READFAULT);
    EXPECT_EQ(clsid, GUID_NULL);
}
