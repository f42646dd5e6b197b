// The folder dialog's listing: where it is, what it gave, and what the
// status line says of it.

#include "catalogue/core/FolderListing.h"

#include <gtest/gtest.h>

namespace catalogue {
namespace {

TEST(FolderListing, GoesFromListingToListedOrFailedAndSaysSo) {
  FolderListing listing;
  EXPECT_EQ(listing.CurrentState(), FolderListing::State::Empty);
  EXPECT_EQ(listing.StatusText(), "");

  listing.Start({"/docs", DocumentFormats::WithNewer, Subfolders::Included});
  EXPECT_TRUE(listing.Listing());
  EXPECT_EQ(listing.StatusText(), "フォルダーの中を調べています...");
  EXPECT_TRUE(listing.Names().empty());
  EXPECT_EQ(listing.Request(),
            (ListingRequest{"/docs", DocumentFormats::WithNewer, Subfolders::Included}));
  EXPECT_NE(listing.Request(), (ListingRequest{"/docs"}));

  listing.Finish({{"a.doc", "2024/b.docx"}, {{"deep", "too deep", false}}});
  EXPECT_EQ(listing.CurrentState(), FolderListing::State::Listed);
  EXPECT_EQ(listing.Names(), (std::vector<std::string>{"a.doc", "2024/b.docx"}));
  EXPECT_EQ(listing.LeftOut().size(), 1u);
  EXPECT_EQ(listing.StatusText(), "");

  // Another folder: what the last one listed goes at once.
  listing.Start({"/share"});
  EXPECT_TRUE(listing.Names().empty());
  EXPECT_TRUE(listing.LeftOut().empty());
  listing.Fail("フォルダーを開けません: /share\r\nアクセスが拒否されました");
  EXPECT_EQ(listing.CurrentState(), FolderListing::State::Failed);
  EXPECT_EQ(listing.StatusText(), "フォルダーを読めません: アクセスが拒否されました");
  EXPECT_EQ(listing.Error(), "フォルダーを開けません: /share\r\nアクセスが拒否されました");
  EXPECT_TRUE(listing.Names().empty());
}

TEST(FolderListing, AnErrorWithoutAPathStaysWholeOnOneLine) {
  EXPECT_EQ(UnreadableFolderStatus("no\nanswer"), "フォルダーを読めません: no answer");
}

}  // namespace
}  // namespace catalogue
