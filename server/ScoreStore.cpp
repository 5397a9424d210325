// SPDX-License-Identifier: MIT
#include "server/ScoreStore.h"

#include "server/SqliteStore.h"
#ifdef ZIBO_SCORES_POSTGRESQL
#include "server/PostgresStore.h"
#endif

#include <stdexcept>

namespace {
constexpr size_t PostgresConnections = 8;

bool IsPostgresUrl(const std::string& Database) {
    return Database.starts_with("postgresql://") || Database.starts_with("postgres://");
}
} // namespace

bool HasPostgresql() {
#ifdef ZIBO_SCORES_POSTGRESQL
    return true;
#else
    return false;
#endif
}

std::unique_ptr<IScoreStore> OpenScoreStore(const std::string& Database) {
    if (!IsPostgresUrl(Database)) {
        return std::make_unique<TSqliteStore>(Database);
    }
#ifdef ZIBO_SCORES_POSTGRESQL
    return std::make_unique<TPostgresStore>(Database, PostgresConnections);
#else
    throw std::runtime_error("this zibo-scores was built without PostgreSQL support");
#endif
}
