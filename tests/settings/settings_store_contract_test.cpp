#include "settings_store_contract.h"

namespace {

class FakeStoreHarness {
  public:
    SettingsStore& Store() { return store_; }
    void HandEdit(const SettingsEntries& entries) { store_.entries = entries; }
    SettingsEntries Entries() const { return store_.entries; }

  private:
    FakeSettingsStore store_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, SettingsStoreContract, FakeStoreHarness);

}  // namespace
