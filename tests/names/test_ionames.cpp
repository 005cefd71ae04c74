#include <memory>
#include <string>

#include "app/ionames.h"
#include "names_support.h"

namespace {

class IoNames : public NamesTest {
protected:
    std::unique_ptr<IoNameStore> store{new IoNameStore};
};

}  // namespace

TEST_F(IoNames, DefaultTextsOfEveryModel) {
    struct { int key, device, channel; const char* name; } cases[] = {
        {IoKeyQuenda, 0, 0, "MADI IN 1"},   {IoKeyQuenda, 0, 9, "MADI IN10"},   {IoKeyQuenda, 0, 64, "AES IN 1"},
        {IoKeyQuenda, 0, 72, "MADIOUT 1"},  {IoKeyQuenda, 0, 135, "MADIOUT64"}, {IoKeyQuenda, 0, 136, "AES OUT1"},
        {IoKeyQuenda, 16, 144, "PHONES"},   {IoKeyFennow, 64, 7, "Channel 8 "}, {IoKeyOmbrel, 3, 9, "Channel 2 "},
        {IoKeyOmbrel, 64, 7, "Channel 8 "}, {IoKeyBrisal, 7, 7, "Channel 8 "},
    };
    for (auto& c : cases) {
        const char* name = store->GetIoName(c.key, c.device, c.channel);
        EXPECT_STREQ(name ? name : "<null>", c.name) << c.key << "/" << c.device << "/" << c.channel;
    }
}

TEST_F(IoNames, EachNameIsReadOnceUnderItsOwnValueNameAndKeepsItsAddress) {
    Store("Device16_IoQuendaName144", "Talkback");
    Store("Device64_IoFennowName7", "0123456789012345678901234567890123456789");
    SystemSetRecorder rec;
    char* ombrel = store->GetIoName(IoKeyOmbrel, 3, 9);
    EXPECT_STREQ(store->GetIoName(IoKeyQuenda, 16, 144), "Talkback");
    EXPECT_STREQ(store->GetIoName(IoKeyFennow, 64, 7), "01234567890123456789012345678");
    store->GetIoName(IoKeyBrisal, 7, 0);
    store->SetIoName(IoKeyOmbrel, 3, 9, "Piano L");
    EXPECT_EQ(store->GetIoName(IoKeyOmbrel, 3, 9), ombrel);
    EXPECT_STREQ(ombrel, "Piano L");
    EXPECT_EQ(rec.reads, (std::vector<std::string>{"Device3_IoOmbrelName9", "Device16_IoQuendaName144",
                                                     "Device64_IoFennowName7", "Device7_IoBrisalName0"}));
}

TEST_F(IoNames, OnlyLoadedNamesAreSavedInRegionOrder) {
    Store("Device2_IoQuendaName3", "Lead Vox ");
    store->GetIoName(IoKeyBrisal, 1, 0);
    store->GetIoName(IoKeyOmbrel, 64, 0);
    store->GetIoName(IoKeyQuenda, 2, 3);
    store->GetIoName(IoKeyFennow, 64, 0);
    store->GetIoName(IoKeyQuenda, 0, 144);
    store->SetIoName(IoKeyFennow, 64, 0, "Kick");
    store->SetIoName(IoKeyFennow, 5, 1, "never read");   // neither saved nor kept

    SystemSetRecorder rec;
    store->SaveIoNames();
    EXPECT_EQ(rec.writes, (std::vector<std::pair<std::string, std::string>>{
                              {"Device0_IoQuendaName144", "PHONES"},
                              {"Device2_IoQuendaName3", "Lead Vox "},
                              {"Device64_IoFennowName0", "Kick"},
                              {"Device64_IoOmbrelName0", "Channel 1 "},
                              {"Device1_IoBrisalName0", "Channel 1 "},
                          }));
    EXPECT_STREQ(store->GetIoName(IoKeyFennow, 5, 1), "Channel 2 ");
}

TEST_F(IoNames, OutOfRangeGivesTheModelsFirstSlotWithoutReadingAndUnknownKeysNothing) {
    struct { int key, devices, channels; } regions[] = {
        {IoKeyQuenda, 17, 145}, {IoKeyFennow, 65, 8}, {IoKeyOmbrel, 65, 16}, {IoKeyBrisal, 8, 8}};
    for (auto& r : regions) {
        SystemSetRecorder rec;
        const int bad[][2] = {{-1, 0}, {r.devices, 0}, {127, 2}, {0, -1}, {0, r.channels}};
        char* first = store->GetIoName(r.key, r.devices - 1, 1000);
        for (auto& b : bad) EXPECT_EQ(store->GetIoName(r.key, b[0], b[1]), first) << r.key << ": " << b[0] << "/" << b[1];
        EXPECT_STREQ(first, "");
        EXPECT_TRUE(rec.reads.empty()) << r.key;
        EXPECT_EQ(store->GetIoName(r.key, 0, 0), first);
    }
    for (int key : {7, 0x62, 0, -1}) EXPECT_EQ(store->GetIoName(key, 0, 0), nullptr) << key;
}

TEST_F(IoNames, SetIoNameOutOfRangeChangesNothing) {
    // Unchecked, each of these would land in another model's slots or outside
    // the store.
    const int stray[][3] = {{IoKeyQuenda, 17, 0}, {IoKeyQuenda, -1, 144}, {IoKeyFennow, 65, 0},
                            {IoKeyFennow, 127, 7}, {IoKeyOmbrel, 127, 15}, {IoKeyBrisal, 8, 0},
                            {IoKeyBrisal, 6, 15}, {7, 0, 0}};
    for (int key : {IoKeyQuenda, IoKeyFennow, IoKeyOmbrel, IoKeyBrisal}) store->GetIoName(key, 0, 0);
    store->GetIoName(IoKeyBrisal, 7, 7);
    for (auto& s : stray) store->SetIoName(s[0], s[1], s[2], "STRAY");

    SystemSetRecorder rec;
    store->SaveIoNames();
    EXPECT_EQ(rec.writes.size(), 5u);
    for (auto& w : rec.writes) EXPECT_NE(w.second, "STRAY") << w.first;
}
