# Windows (a): the end-of-game window and the high-score window.
tw_add_test(test_records_finish recordstest.h test_finish.cpp)
tw_add_test(test_records_highscore recordstest.h test_highscore.cpp)
