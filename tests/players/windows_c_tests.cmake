tw_add_test(test_players test_players.cpp)
