// The play server answers only this machine's pages that carry the session's token.
#include "play/server.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include "play/guard.h"
#include "play/play_support.h"

namespace {

TEST(PlayGuard, RefusesOtherHostsOriginsAndTokens) {
    const play::Guard guard{4321, "0123456789abcdef0123456789abcdef"};
    EXPECT_EQ(play::refusal(guard, "127.0.0.1:4321", ""), "");
    EXPECT_EQ(play::refusal(guard, "127.0.0.1:4321", "http://127.0.0.1:4321"), "");
    EXPECT_NE(play::refusal(guard, "localhost:4321", ""), "");
    EXPECT_NE(play::refusal(guard, "evil.example:4321", ""), "");
    EXPECT_NE(play::refusal(guard, "127.0.0.1:4322", ""), "");
    EXPECT_NE(play::refusal(guard, "127.0.0.1:4321", "http://evil.example"), "");
    EXPECT_NE(play::refusal(guard, "127.0.0.1:4321", "null"), "");
    EXPECT_TRUE(play::tokenMatches(guard, guard.token));
    EXPECT_FALSE(play::tokenMatches(guard, ""));
    EXPECT_FALSE(play::tokenMatches(guard, "0123456789abcdef0123456789abcdee"));
    EXPECT_FALSE(play::tokenMatches(guard, guard.token + "0"));
    const std::string token = play::freshToken();
    EXPECT_EQ(token.size(), 32u);
    EXPECT_NE(token, play::freshToken());
}

class PlayServer : public ::testing::Test {
protected:
    void SetUp() override {
        session_ = test::pausedSession();
        server_ = std::make_unique<play::Server>(*session_, play::ServerSetup{});
        ASSERT_TRUE(server_->bind());
        server_->start();
        client_ = std::make_unique<httplib::Client>("127.0.0.1", server_->port());
    }
    void TearDown() override {
        server_->stop();
        session_->stop();
    }
    std::string withToken(const std::string& path) const { return path + "?token=" + server_->token(); }

    std::unique_ptr<play::Session> session_;
    std::unique_ptr<play::Server> server_;
    std::unique_ptr<httplib::Client> client_;
};

TEST_F(PlayServer, ServesThePageOnlyWithTheToken) {
    const auto page = client_->Get(withToken("/"));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("<script src=\"play.js\">"), std::string::npos);
    EXPECT_EQ(client_->Get("/?token=wrong")->status, 403);
    EXPECT_EQ(client_->Get("/")->status, 403);
    EXPECT_EQ(client_->Get("/recording")->status, 403);
    EXPECT_EQ(client_->Get("/play.js")->status, 200);
}

TEST_F(PlayServer, RefusesAForeignOriginAndHostEvenWithTheToken) {
    EXPECT_EQ(
        client_->Post(withToken("/act"), {{"Origin", "http://evil.example"}}, R"({"press":"e"})", "application/json")
            ->status,
        403);
    EXPECT_EQ(client_->Get(withToken("/"), {{"Host", "rebound.example:" + std::to_string(server_->port())}})->status,
              403);
    test::playFrames(*session_, 2);
    EXPECT_EQ(session_->recording().find("press"), std::string::npos);
}

TEST_F(PlayServer, TakesEntriesAndSaysWhyOneIsRefused) {
    const auto taken = client_->Post(withToken("/act"), R"({"tap":"e"})", "application/json");
    EXPECT_EQ(taken->status, 200);
    const auto refused = client_->Post(withToken("/act"), R"({"tap":"nokey"})", "application/json");
    EXPECT_EQ(refused->status, 400);
    EXPECT_NE(refused->body.find("unknown key 'nokey'"), std::string::npos);
    EXPECT_EQ(client_->Post(withToken("/control"), "not json", "application/json")->status, 400);
    test::playFrames(*session_, 1);
    const auto recording = client_->Get(withToken("/recording"));
    EXPECT_NE(recording->body.find("{ at = 16, tap = \"e\" }"), std::string::npos) << recording->body;
}

TEST_F(PlayServer, TheFeedSendsViewsWithTheNarration) {
    session_->act(nlohmann::ordered_json::parse(R"({"wanted": 2})"));
    test::playFrames(*session_, 2);
    std::string received;
    client_->Get(withToken("/feed"), [&](const char* data, std::size_t size) {
        received.append(data, size);
        return received.find("\n\n") == std::string::npos;
    });
    ASSERT_EQ(received.rfind("data: ", 0), 0u) << received;
    const auto message = nlohmann::json::parse(received.substr(6, received.find("\n\n") - 6));
    EXPECT_EQ(message["view"]["wanted"], 2);
    EXPECT_NE(message["view"]["screen"].get<std::string>().find("<svg"), std::string::npos);
    EXPECT_EQ(message["view"]["peds"].size(), 3u);
    EXPECT_TRUE(std::ranges::any_of(message["lines"], [](const auto& line) {
        return line["text"].template get<std::string>().find("wanted level") != std::string::npos;
    })) << message["lines"].dump();
}

}  // namespace
