<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="bg_BG">
<context>
    <name>quiz</name>
    <message>
        <location filename="../command_line.cpp" line="19" />
        <source>A quiz for an informatics lesson: which of two lists is a real exchange-rate series?
Qt's own options, such as -platform and -style, are accepted as well.</source>
        <translation>Тест за часа по информатика: кой от двата списъка е реален валутен курс?
Приемат се и собствените опции на Qt, например -platform и -style.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="61" />
        <source>Show this help and end.</source>
        <translation>Показва тази помощ и спира.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="64" />
        <source>Show the version and end.</source>
        <translation>Показва версията и спира.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="67" />
        <source>Draw the turns from seed N (0 to %1) instead of the clock, so every computer shows the same turns.</source>
        <translation>Тегли ходовете от начално число N (от 0 до %1) вместо от часовника, така че всеки компютър показва същите ходове.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="74" />
        <source>Difficulty 0 to %1: how the made-up list is made. 0, the default, is noise in a band; 1 a random walk; 2 the real day-to-day changes shuffled; 3 a surrogate of them with the same spectrum; 4 the real changes replayed from another day.</source>
        <translation>Трудност от 0 до %1: как се съставя измисленият списък. 0 (по подразбиране) е шум в обхват; 1 е случайно лутане; 2 са реалните дневни промени, разбъркани; 3 е сурогат на промените със същия спектър; 4 са реалните промени, започнати от друг ден.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="81" />
        <source>auto: each pupil's own, from level 1 one level harder after three right answers in a row and one easier after a wrong one.</source>
        <translation>auto: според ученика – от ниво 1 с едно ниво по-трудно след три верни отговора подред и с едно по-лесно след грешен.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="83" />
        <source>Where the real lists come from: catalogue (the default: six stored series), ecb (the built-in euro reference rates of the European Central Bank, 1999-2025, units of each currency for 1 euro; Source: ECB) or a FILE of dates and daily rates, as the ECB publishes it or as a spreadsheet saves it.</source>
        <translation>Откъде идват реалните списъци: catalogue (по подразбиране: шестте вградени редици), ecb (вградените референтни курсове на еврото на Европейската централна банка, 1999-2025, единици валута за 1 евро; източник: ЕЦБ) или ФАЙЛ с дати и дневни курсове, както го публикува ЕЦБ или както го записва електронна таблица.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="92" />
        <source>Append one CSV row per answered turn to FILE.</source>
        <translation>Добавя по един CSV ред за всеки отговорен ход във ФАЙЛ.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="96" />
        <source>Write this run's answers to a new file of its own in the class folder DIR (a shared folder), named from the pupil, the computer and the time, and follow the lesson the teacher sets there.</source>
        <translation>Записва отговорите в нов, собствен файл в папката на класа DIR (споделена папка), наречен по ученика, компютъра и часа, и следва урока, който учителят задава там.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="102" />
        <source>The pupil's name for the results (default: the login name).</source>
        <translation>Името на ученика в резултатите (по подразбиране: потребителското име).</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="107" />
        <source>Open the teacher's view of the class folder DIR instead of the quiz: every pupil's results, followed live.</source>
        <translation>Отваря изгледа на учителя за папката на класа DIR вместо теста: резултатите на всеки ученик, обновявани на живо.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="114" />
        <source> See --help.</source>
        <translation> Вижте --help.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="125" />
        <source>unexpected argument "%1". See --help.</source>
        <translation>неочакван аргумент „%1“. Вижте --help.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="133" />
        <source>--seed takes a whole number from 0 to %1, not "%2".</source>
        <translation>--seed приема цяло число от 0 до %1, а не „%2“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="143" />
        <source>--level takes a whole number from 0 to %1 or auto, not "%2".</source>
        <translation>--level приема цяло число от 0 до %1 или auto, а не „%2“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="153" />
        <source>--data needs catalogue, ecb or the name of a file.</source>
        <translation>--data иска catalogue, ecb или име на файл.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="160" />
        <source>--log needs the name of a file.</source>
        <translation>--log иска име на файл.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="167" />
        <source>--class-dir needs the name of a folder.</source>
        <translation>--class-dir иска име на папка.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="170" />
        <source>--log and --class-dir both say where the answers go; give one of them.</source>
        <translation>--log и --class-dir казват къде да отиват отговорите; дайте само едното.</translation>
    </message>
    <message>
        <source>--pupil takes a name of at most %1 characters.</source>
        <translation>--pupil приема име от най-много %1 знака.</translation>
    </message>
    <message>
        <source>--pupil takes a name that does not start with =, +, - or @.</source>
        <translation>--pupil приема име, което не започва с =, +, - или @.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="178" />
        <source>--pupil needs a name.</source>
        <translation>--pupil иска име.</translation>
    </message>
    <message>
        <source>--pupil takes a name of letters, digits and signs, without control characters.</source>
        <translation>--pupil приема име от букви, цифри и знаци, без управляващи символи.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="185" />
        <source>--teacher needs the name of a folder.</source>
        <translation>--teacher иска име на папка.</translation>
    </message>
    <message>
        <source>%1: this build has no lesson on the network (--serve, --any-network, --join); the class folder serves.</source>
        <translation>%1: тази версия няма урок в мрежата (--serve, --any-network, --join); урокът върви с папката на класа.</translation>
    </message>
    <message>
        <source>--any-network widens the lesson of --teacher; give --teacher DIR as well.</source>
        <translation>--any-network разширява урока на --teacher; дайте и --teacher ПАПКА.</translation>
    </message>
    <message>
        <source>With --teacher: the lesson on the network also answers computers beyond the local network (by default only private, link-local and loopback addresses).</source>
        <translation>С --teacher: урокът в мрежата отговаря и на компютри извън локалната мрежа (иначе само на частни, локални за връзката и loopback адреси).</translation>
    </message>
    <message>
        <source>--serve hosts the lesson of --teacher; give --teacher DIR as well.</source>
        <translation>--serve предлага в мрежата урока на --teacher; дайте и --teacher ПАПКА.</translation>
    </message>
    <message>
        <source>--serve takes [ADDRESS:]PORT, such as 8080 or 127.0.0.1:0, not &quot;%1&quot;.</source>
        <translation>--serve иска [АДРЕС:]ПОРТ, например 8080 или 127.0.0.1:0, а не „%1“.</translation>
    </message>
    <message>
        <source>With --teacher: host the lesson on the school network at [ADDRESS:]PORT (port 0: any free one). Pupils join from a browser; the address and the join code are printed on one line.</source>
        <translation>С --teacher: урокът се предлага в училищната мрежа на [АДРЕС:]ПОРТ (порт 0: който и да е свободен). Учениците влизат от браузър; адресът и кодът за влизане се отпечатват на един ред.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no address of this computer.</source>
        <translation>%1: „%2“ не е адрес на този компютър.</translation>
    </message>
    <message>
        <source>%1: cannot host the lesson at &quot;%2&quot;: %3</source>
        <translation>%1: урокът не може да се предложи на „%2“: %3</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="189" />
        <source>--teacher opens the class view, which takes no --%1.</source>
        <translation>--teacher отваря изгледа на класа, който не приема --%1.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="115" />
        <source>--join takes the lesson's address on the local network, such as http://192.168.1.20:8080/, not "%1".</source>
        <translation>--join иска адреса на урока в местната мрежа, например http://192.168.1.20:8080/, а не „%1“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="129" />
        <source>--join plays the lesson's own turns, which takes no --%1.</source>
        <translation>--join играе ходовете на урока, което не приема --%1.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="141" />
        <source>--code goes with --join.</source>
        <translation>--code се дава заедно с --join.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="144" />
        <source>--code takes the lesson's code of %1 to %2 digits, not "%3".</source>
        <translation>--code иска кода на урока от %1 до %2 цифри, а не „%3“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="187" />
        <source>Play the turns of the lesson a teacher hosts at URL on the local network (http://192.168.1.20:8080/); the name is --pupil's.</source>
        <translation>Играе ходовете на урока, който учителят води на адрес URL в местната мрежа (http://192.168.1.20:8080/); името е това от --pupil.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="193" />
        <source>The lesson's join code, as the teacher shows it; without it, or without --pupil, the quiz asks for both.</source>
        <translation>Кодът за влизане в урока, както го показва учителят; без него или без --pupil тестът пита и за двете.</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="81" />
        <source>%1: "%2" holds rows of another shape and is left as it is; give a new file, such as "%3".</source>
        <translation>%1: „%2“ съдържа редове с друг вид и остава непроменен; дайте нов файл, например „%3“.</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="86" />
        <source>%1: cannot write the results log "%2": %3</source>
        <translation>%1: файлът с резултати „%2“ не може да се запише: %3</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="99" />
        <location filename="../startup.cpp" line="212" />
        <source>%1: the class folder "%2" does not exist or is not a folder.</source>
        <translation>%1: папката на класа „%2“ не съществува или не е папка.</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="118" />
        <source>%1: cannot write in the class folder "%2": %3</source>
        <translation>%1: не може да се пише в папката на класа „%2“: %3</translation>
    </message>
    <message>
        <source>%1: is not a file of rates but a folder</source>
        <translation>%1: не е файл с курсове, а папка</translation>
    </message>
    <message>
        <source>%1: is not a file of rates but a special file</source>
        <translation>%1: не е файл с курсове, а специален файл</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: не може да се прочете: %2</translation>
    </message>
    <message>
        <source>%1: cannot be read: there is no such file</source>
        <translation>%1: не може да се прочете: няма такъв файл</translation>
    </message>
    <message>
        <source>%1: is larger than 64 MB, too large for a file of rates</source>
        <translation>%1: е по-голям от 64 MB, твърде голям за файл с курсове</translation>
    </message>
    <message>
        <source>%1: cannot be read: no permission to read it</source>
        <translation>%1: не може да се прочете: няма разрешение за четене</translation>
    </message>
</context>
</TS>
