// Month-name and weekday-name sets of the calendar texts. The last set of each
// holds the user's own names, cut from the record's comma-separated list for the
// length of one call, so no call ever sees names left by another record.
#pragma once

// Month sets 1-8 and weekday sets 1-7; 0 means no text.
#define MONTH_SET_COUNT 8
#define WEEK_SET_COUNT 7
#define MONTH_SET_USER 8
#define WEEK_SET_USER 7
// Weekday sets by their texts: "日", "Su" and "Sun".
#define WEEK_SET_KANJI 1
#define WEEK_SET_TWO_LETTERS 5
#define WEEK_SET_THREE_LETTERS 6
#define MONTH_NAME_COUNT 12
#define WEEK_NAME_COUNT 7
// Bytes of a user list looked at when it is cut into names.
#define USER_NAME_LIST_MAX 1024

// The set a stored value stands for: 0 stays 0 (no text), a value beyond the table counts as set 1.
int MonthSetIndex(int set);
int WeekSetIndex(int set);

// Cuts list at every "," into at most count slots of process-heap copies; an empty piece and the slots beyond
// the last piece stay null. The caller frees them with FreeUserNames.
void CutUserNames(const char* list, char** slots, int count);
void FreeUserNames(char** slots, int count);

// The month names of one call: built from the set number and, for the user set, the user's list.
class MonthNameSet {
public:
    MonthNameSet(int set, const char* userList);
    ~MonthNameSet();
    MonthNameSet(const MonthNameSet&) = delete;
    MonthNameSet& operator=(const MonthNameSet&) = delete;

    // Name of month 1-12 (other months are carried into the year); "" for set 0 or an empty user slot.
    const char* Name(int month) const;

private:
    int set_;
    char* user_[MONTH_NAME_COUNT];
};

// The weekday names of one call, as MonthNameSet.
class WeekdayNameSet {
public:
    WeekdayNameSet(int set, const char* userList);
    ~WeekdayNameSet();
    WeekdayNameSet(const WeekdayNameSet&) = delete;
    WeekdayNameSet& operator=(const WeekdayNameSet&) = delete;

    // Name of weekday 0-6 (0 Sunday; others taken modulo 7); "" for set 0 or an empty user slot.
    const char* Name(int weekday) const;

private:
    int set_;
    char* user_[WEEK_NAME_COUNT];
};
