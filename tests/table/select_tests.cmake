tw_add_test(test_table_select test_select.cpp)
tw_add_test(test_table_choose test_choose.cpp)
tw_add_test(test_table_history test_history.cpp)
