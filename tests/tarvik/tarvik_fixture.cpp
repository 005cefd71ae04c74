#include "tarvik_fixture.h"

namespace tarviktest {

Bytes Reply(int length, const Pairs& pairs) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x64, 0x05, 0x10};
    for (const auto& p : pairs) {
        b.push_back(BYTE(p.first));
        b.push_back(BYTE(p.second));
    }
    while (int(b.size()) < length - 1) b.push_back(0x7E);
    b.resize(size_t(length - 1));
    b.push_back(0xF7);
    return b;
}

::testing::AssertionResult AllInRange(const PanelControlTable* table) {
    for (int k = 0; k < table->count; ++k) {
        const PanelControl& c = table->controls[k];
        if (!(c.value >= c.min && c.value <= c.max))
            return ::testing::AssertionFailure() << c.name << " (" << c.id << ") holds " << c.value;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tarviktest
