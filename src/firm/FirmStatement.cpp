#include "firm/FirmStatement.h"

#include <string_view>

namespace {

struct ItemMember
{
    std::string_view column;
    double FirmStatement::*member;
};

// Each statement item's member, in the order of statementItems(); a member
// carries its item's column name.
#define QUORVEL_ITEM_MEMBER(name)                                                                  \
    ItemMember                                                                                     \
    {                                                                                              \
#name, &FirmStatement::name                                                                \
    }
constexpr std::array<ItemMember, kStatementItemCount> kItemMembers = {
    QUORVEL_ITEM_MEMBER(Cash),
    QUORVEL_ITEM_MEMBER(Ar),
    QUORVEL_ITEM_MEMBER(Inv),
    QUORVEL_ITEM_MEMBER(CA),
    QUORVEL_ITEM_MEMBER(OA),
    QUORVEL_ITEM_MEMBER(Toa),
    QUORVEL_ITEM_MEMBER(Invest),
    QUORVEL_ITEM_MEMBER(Ptfl),
    QUORVEL_ITEM_MEMBER(Ta),
    QUORVEL_ITEM_MEMBER(OperatingRevenue),
    QUORVEL_ITEM_MEMBER(Sales),
    QUORVEL_ITEM_MEMBER(GrossProfit),
    QUORVEL_ITEM_MEMBER(OperatingProfit),
    QUORVEL_ITEM_MEMBER(InterestExpense),
    QUORVEL_ITEM_MEMBER(PretaxProfit),
    QUORVEL_ITEM_MEMBER(ProfitAfterTax),
    QUORVEL_ITEM_MEMBER(AccountsPayable),
    QUORVEL_ITEM_MEMBER(Banks),
    QUORVEL_ITEM_MEMBER(Paper),
    QUORVEL_ITEM_MEMBER(Mtg),
    QUORVEL_ITEM_MEMBER(Bonds),
    QUORVEL_ITEM_MEMBER(Ol),
    QUORVEL_ITEM_MEMBER(AmtsAffil),
    QUORVEL_ITEM_MEMBER(OLiab),
    QUORVEL_ITEM_MEMBER(DefTax),
    QUORVEL_ITEM_MEMBER(Tliab),
    QUORVEL_ITEM_MEMBER(ShareC),
    QUORVEL_ITEM_MEMBER(RetEarn),
    QUORVEL_ITEM_MEMBER(OtherSur),
    QUORVEL_ITEM_MEMBER(Equity1),
    QUORVEL_ITEM_MEMBER(TotLiabShareEq),
    QUORVEL_ITEM_MEMBER(CurrentAssets),
    QUORVEL_ITEM_MEMBER(CurrentLiabilities),
};
#undef QUORVEL_ITEM_MEMBER

// The members follow the item list one for one: same columns in the same
// order, each member once, and no member outside the list.
constexpr bool membersFollowItems()
{
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (kItemMembers[i].column != statementItems()[i].column)
            return false;
        for (int j = 0; j < i; ++j) {
            if (kItemMembers[j].member == kItemMembers[i].member)
                return false;
        }
    }
    return true;
}
static_assert(membersFollowItems(), "FirmStatement's members must follow statementItems()");
static_assert(sizeof(FirmStatement) == kStatementItemCount * sizeof(double),
              "every FirmStatement member is a statement item");

} // namespace

const std::array<double FirmStatement::*, kStatementItemCount> &firmStatementAmounts()
{
    static constexpr std::array<double FirmStatement::*, kStatementItemCount> amounts = [] {
        std::array<double FirmStatement::*, kStatementItemCount> members{};
        for (int i = 0; i < kStatementItemCount; ++i)
            members[i] = kItemMembers[i].member;
        return members;
    }();
    return amounts;
}
