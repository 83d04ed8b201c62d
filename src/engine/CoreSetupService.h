// The setup service of the data folder: Init reads "setup.json" from the folder (format in
// docs/setup-service.md) and the GL account lookup answers the transaction-detail report with
// the accounts of one GL prefix as rows of Value and Title.
//
// Init is all or nothing: a missing folder or file, or malformed content, raises a ComError
// (20520-20522, source "CoreSetupService.Init") naming the path and the problem, and leaves the
// service as it was. The password is not kept: nothing here needs it after Init.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/Recordset.h"
#include "runtime/Variant.h"

namespace hlreports {

struct GLAccount {
    std::string number;
    std::string title;
};

class CoreSetupService : public ComObject {
  public:
    void Init(const std::string& dataFolder, const std::string& user, const std::string& password);

    // The accounts of a GL prefix (exact text) as an open recordset with the text fields "Value"
    // (the account number) and "Title", in file order; no rows for a prefix the file does not
    // list. 20523 before a successful Init.
    RecordsetPtr GLAccounts(std::string_view glPrefix) const;

    bool IsInitialised() const { return initialised_; }
    const std::string& DataFolder() const { return dataFolder_; }
    const std::string& User() const { return user_; }

  private:
    bool initialised_ = false;
    std::string dataFolder_;
    std::string user_;
    std::map<std::string, std::vector<GLAccount>, std::less<>> accountsByPrefix_;
};

}  // namespace hlreports
