#pragma once
// The demo company's articles with their code index, bar-code index and extended
// descriptions.

#include <vector>

#include "articles/article_index_record.h"
#include "articles/article_record.h"
#include "articles/barcode_index_record.h"
#include "articles/extra_description_record.h"
#include "tools/demo/demo_random.h"

namespace qorvana::demo {

// An amount of the demo data in the company's currency: euro as given, or whole lire.
double DemoAmount(double euro, bool lire);

// The fixed articles (demo_fixtures.h), then generated ones up to `count` in all. Every
// article has a bar code.
std::vector<ArticleRecord> MakeArticles(int count, bool lire, DemoRandom& random);
// Code index: one entry per article, in ascending code order.
std::vector<ArticleIndexRecord> MakeCodeIndex(const std::vector<ArticleRecord>& articles);
// Bar-code index: one entry per article, in ascending bar-code order.
std::vector<BarcodeIndexRecord> MakeBarcodeIndex(const std::vector<ArticleRecord>& articles);
// One record per article at its record number; those of the fixtures with extended
// descriptions carry text and their marker.
std::vector<ExtraDescriptionRecord> MakeExtraDescriptions(int articleCount);

}  // namespace qorvana::demo
